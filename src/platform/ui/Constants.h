#pragma once

// The named values the windows are written with: message box buttons and answers, key codes,
// mouse pointers, alignments, list view and dialog settings. They are plain numbers because
// the windows compare them, add them together and store them as numbers.
namespace ui {

// Message boxes: buttons, icons and default button are added together.
inline constexpr int vbOKOnly = 0;
inline constexpr int vbOKCancel = 1;
inline constexpr int vbAbortRetryIgnore = 2;
inline constexpr int vbYesNoCancel = 3;
inline constexpr int vbYesNo = 4;
inline constexpr int vbRetryCancel = 5;
inline constexpr int vbCritical = 16;
inline constexpr int vbQuestion = 32;
inline constexpr int vbExclamation = 48;
inline constexpr int vbInformation = 64;
inline constexpr int vbDefaultButton1 = 0;
inline constexpr int vbDefaultButton2 = 256;
inline constexpr int vbDefaultButton3 = 512;

// Message box answers.
inline constexpr int vbOK = 1;
inline constexpr int vbCancel = 2;
inline constexpr int vbAbort = 3;
inline constexpr int vbRetry = 4;
inline constexpr int vbIgnore = 5;
inline constexpr int vbYes = 6;
inline constexpr int vbNo = 7;

// Key codes (KeyDown) and character codes (typed characters share the codes of Back, Tab,
// Return, Escape and Space).
inline constexpr int vbKeyBack = 8;
inline constexpr int vbKeyTab = 9;
inline constexpr int vbKeyReturn = 13;
inline constexpr int vbKeyShift = 16;
inline constexpr int vbKeyControl = 17;
inline constexpr int vbKeyMenu = 18;
inline constexpr int vbKeyEscape = 27;
inline constexpr int vbKeySpace = 32;
inline constexpr int vbKeyPageUp = 33;
inline constexpr int vbKeyPageDown = 34;
inline constexpr int vbKeyEnd = 35;
inline constexpr int vbKeyHome = 36;
inline constexpr int vbKeyLeft = 37;
inline constexpr int vbKeyUp = 38;
inline constexpr int vbKeyRight = 39;
inline constexpr int vbKeyDown = 40;
inline constexpr int vbKeyInsert = 45;
inline constexpr int vbKeyDelete = 46;
inline constexpr int vbKey0 = 48;
inline constexpr int vbKey1 = 49;
inline constexpr int vbKey2 = 50;
inline constexpr int vbKey3 = 51;
inline constexpr int vbKey4 = 52;
inline constexpr int vbKey5 = 53;
inline constexpr int vbKey6 = 54;
inline constexpr int vbKey7 = 55;
inline constexpr int vbKey8 = 56;
inline constexpr int vbKey9 = 57;
inline constexpr int vbKeyA = 65;
inline constexpr int vbKeyB = 66;
inline constexpr int vbKeyC = 67;
inline constexpr int vbKeyD = 68;
inline constexpr int vbKeyE = 69;
inline constexpr int vbKeyF = 70;
inline constexpr int vbKeyG = 71;
inline constexpr int vbKeyH = 72;
inline constexpr int vbKeyI = 73;
inline constexpr int vbKeyJ = 74;
inline constexpr int vbKeyK = 75;
inline constexpr int vbKeyL = 76;
inline constexpr int vbKeyM = 77;
inline constexpr int vbKeyN = 78;
inline constexpr int vbKeyO = 79;
inline constexpr int vbKeyP = 80;
inline constexpr int vbKeyQ = 81;
inline constexpr int vbKeyR = 82;
inline constexpr int vbKeyS = 83;
inline constexpr int vbKeyT = 84;
inline constexpr int vbKeyU = 85;
inline constexpr int vbKeyV = 86;
inline constexpr int vbKeyW = 87;
inline constexpr int vbKeyX = 88;
inline constexpr int vbKeyY = 89;
inline constexpr int vbKeyZ = 90;
inline constexpr int vbKeyNumpad0 = 96;
inline constexpr int vbKeyNumpad1 = 97;
inline constexpr int vbKeyNumpad2 = 98;
inline constexpr int vbKeyNumpad3 = 99;
inline constexpr int vbKeyNumpad4 = 100;
inline constexpr int vbKeyNumpad5 = 101;
inline constexpr int vbKeyNumpad6 = 102;
inline constexpr int vbKeyNumpad7 = 103;
inline constexpr int vbKeyNumpad8 = 104;
inline constexpr int vbKeyNumpad9 = 105;
inline constexpr int vbKeyMultiply = 106;
inline constexpr int vbKeyAdd = 107;
inline constexpr int vbKeySubtract = 109;
inline constexpr int vbKeyDecimal = 110;
inline constexpr int vbKeyDivide = 111;
inline constexpr int vbKeyF1 = 112;
inline constexpr int vbKeyF2 = 113;
inline constexpr int vbKeyF3 = 114;
inline constexpr int vbKeyF4 = 115;
inline constexpr int vbKeyF5 = 116;
inline constexpr int vbKeyF6 = 117;
inline constexpr int vbKeyF7 = 118;
inline constexpr int vbKeyF8 = 119;
inline constexpr int vbKeyF9 = 120;
inline constexpr int vbKeyF10 = 121;
inline constexpr int vbKeyF11 = 122;
inline constexpr int vbKeyF12 = 123;

// The Shift argument of key and mouse events.
inline constexpr int vbShiftMask = 1;
inline constexpr int vbCtrlMask = 2;
inline constexpr int vbAltMask = 4;

// The Button argument of mouse events.
inline constexpr int vbLeftButton = 1;
inline constexpr int vbRightButton = 2;
inline constexpr int vbMiddleButton = 4;

// Mouse pointers.
inline constexpr int vbDefault = 0;
inline constexpr int vbArrow = 1;
inline constexpr int vbCrosshair = 2;
inline constexpr int vbIbeam = 3;
inline constexpr int vbHourglass = 11;
inline constexpr int vbArrowHourglass = 13;
inline constexpr int vbCustom = 99;  // shown as the pointing hand of a link

// Form.Show
inline constexpr int vbModeless = 0;
inline constexpr int vbModal = 1;

// The UnloadMode of QueryUnload.
inline constexpr int vbFormControlMenu = 0;  // closed by the person (close button)
inline constexpr int vbFormCode = 1;         // Unload from code
inline constexpr int vbAppWindows = 2;
inline constexpr int vbAppTaskManager = 3;
inline constexpr int vbFormMDIForm = 4;  // the main window closes its children

// Form.WindowState
inline constexpr int vbNormal = 0;
inline constexpr int vbMinimized = 1;
inline constexpr int vbMaximized = 2;

// Check box values.
inline constexpr int vbUnchecked = 0;
inline constexpr int vbChecked = 1;
inline constexpr int vbGrayed = 2;

// Text alignment of labels and text boxes.
inline constexpr int vbLeftJustify = 0;
inline constexpr int vbRightJustify = 1;
inline constexpr int vbCenter = 2;

// List view settings.
inline constexpr int lvwColumnLeft = 0;
inline constexpr int lvwColumnRight = 1;
inline constexpr int lvwColumnCenter = 2;
inline constexpr int lvwAscending = 0;
inline constexpr int lvwDescending = 1;
inline constexpr int lvwIcon = 0;
inline constexpr int lvwSmallIcon = 1;
inline constexpr int lvwList = 2;
inline constexpr int lvwReport = 3;
inline constexpr int lvwText = 0;     // FindItem: the item text
inline constexpr int lvwSubItem = 1;  // FindItem: any sub-item
inline constexpr int lvwTag = 2;
inline constexpr int lvwWholeWord = 0;
inline constexpr int lvwPartial = 1;

// Combo box styles.
inline constexpr int vbComboDropdown = 0;
inline constexpr int vbComboSimple = 1;
inline constexpr int vbComboDropdownList = 2;

// Date picker formats.
inline constexpr int dtpLongDate = 0;
inline constexpr int dtpShortDate = 1;
inline constexpr int dtpTime = 2;
inline constexpr int dtpCustom = 3;

// Common dialog flags.
inline constexpr long cdlOFNReadOnly = 0x1;
inline constexpr long cdlOFNOverwritePrompt = 0x2;
inline constexpr long cdlOFNHideReadOnly = 0x4;
inline constexpr long cdlOFNPathMustExist = 0x800;
inline constexpr long cdlOFNFileMustExist = 0x1000;
inline constexpr long cdlCCRGBInit = 0x1;
inline constexpr long cdlCCFullOpen = 0x2;

// Colours (red in the low byte). Values with the high bit set are the desktop's colours.
inline constexpr int vbBlack = 0x000000;
inline constexpr int vbRed = 0x0000FF;
inline constexpr int vbGreen = 0x00FF00;
inline constexpr int vbYellow = 0x00FFFF;
inline constexpr int vbBlue = 0xFF0000;
inline constexpr int vbMagenta = 0xFF00FF;
inline constexpr int vbCyan = 0xFFFF00;
inline constexpr int vbWhite = 0xFFFFFF;
inline constexpr int vbMenuBar = static_cast<int>(0x80000004U);
inline constexpr int vbWindowBackground = static_cast<int>(0x80000005U);
inline constexpr int vbMenuText = static_cast<int>(0x80000007U);
inline constexpr int vbWindowText = static_cast<int>(0x80000008U);
inline constexpr int vbHighlight = static_cast<int>(0x8000000DU);
inline constexpr int vbHighlightText = static_cast<int>(0x8000000EU);
inline constexpr int vbButtonFace = static_cast<int>(0x8000000FU);
inline constexpr int vbButtonShadow = static_cast<int>(0x80000010U);
inline constexpr int vbGrayText = static_cast<int>(0x80000011U);
inline constexpr int vbButtonText = static_cast<int>(0x80000012U);
inline constexpr int vbInfoText = static_cast<int>(0x80000017U);
inline constexpr int vbInfoBackground = static_cast<int>(0x80000018U);

// Sizes are given in twips: 15 twips to a pixel.
inline constexpr int TwipsPerPixel = 15;
int twipsToPixels(int twips);
int pixelsToTwips(int pixels);

}  // namespace ui
