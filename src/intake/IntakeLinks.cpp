#include "intake/IntakeLinks.h"

namespace intake::links {

// The units window, the member view and the nutrient index are not in this build yet.

void OpenUnitsWindow() {}

void ShowMemberView(qint32 /*userid*/) {}

void ShowNutrientIndex(const ui::ListView& /*list*/) {}

}  // namespace intake::links
