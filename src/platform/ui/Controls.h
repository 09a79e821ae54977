#pragma once

// Every control a window can have, one header per family. Windows include this one.
// Captions take the platform's accelerator mark '&' ("&Add"); a literal '&' is "&&", as in Qt.

// What this header brought along when it held every control, for the windows written with it.
#include <QColor>
#include <QDate>
#include <QPixmap>
#include <QString>
#include <QStringList>
#include <QVector>
#include <functional>
#include <optional>

#include "ui/Buttons.h"       // CommandButton
#include "ui/Colors.h"        // colour values
#include "ui/Control.h"       // what every control has; control arrays
#include "ui/DatePicker.h"    // DatePicker
#include "ui/Decorations.h"   // Frame, Line, Shape, ProgressBar
#include "ui/Label.h"         // Label
#include "ui/ListControls.h"  // ComboBox, ListBox
#include "ui/TabControl.h"    // TabControl
#include "ui/TextBoxes.h"     // TextBox, RichTextBox
#include "ui/Timer.h"         // Timer
