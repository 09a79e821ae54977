#pragma once

#include <QString>

// The windows of other subsystems that the intake windows open, each in one place.
namespace intake::links {

// The units window over the diary, modal; it works on the food picked in the diary's food list
// and refills the diary's unit list when it closes.
void OpenUnitsWindow();

// The read-only view of a member, modal over the RDA window.
void ShowMemberView(qint32 userid);

// The nutrient index positioned on a nutrient, modeless.
void ShowNutrientIndex(const QString& nutrient);

}  // namespace intake::links
