#pragma once

#include <QRect>
#include <QSize>
#include <Qt>

#include <array>

// The fixed layout of the main window, in one place: every control's object name, place and
// size in pixels, caption ("&" marks the letter that Alt chooses it with) and German accessible
// name, listed back to front (each control lies
// in front of those listed before it), then the keyboard focus order. Places of the controls
// of the find panel and of the separator group are relative to their group.
namespace tamo::layout {

struct Control {
    const char *name;               // objectName, the control's role
    QRect place;                    // left, top, width, height
    const char16_t *caption;        // shown text; nullptr for none
    const char16_t *accessibleName; // nullptr: the caption serves
};

inline constexpr QSize kWindowSize{792, 573};
inline constexpr char16_t kWindowTitle[] = u"QUARN-Dokumentation";

// The topic text takes the full width, or leaves the right part to the picture beside it.
inline constexpr int kTextFullWidth = 795;
inline constexpr int kTextBesidePicture = 379;

// The main window, back to front.
inline constexpr Control kTopicTitle{"topicTitle", {8, 0, 777, 17}, u"Thema", u"Thema"};
inline constexpr Control kRelatedLabel{
    "relatedLabel", {8, 448, 97, 17}, u"Verwandte Themen", nullptr};
inline constexpr Control kTopicText{
    "topicText", {0, 16, kTextFullWidth, 417}, nullptr, u"Thementext"};
inline constexpr Control kRelatedList{
    "relatedList", {0, 464, 385, 108}, nullptr, u"Verwandte Themen"};
inline constexpr Control kTopicList{"topicList", {392, 464, 401, 108}, nullptr, u"Themenliste"};
inline constexpr Control kQueryBox{"queryBox", {392, 440, 401, 19}, nullptr, u"Themensuche"};
inline constexpr Control kBackButton{"backButton", {312, 440, 33, 17}, u"<", u"Zurück"};
inline constexpr Control kForwardButton{"forwardButton", {352, 440, 33, 17}, u">", u"Vorwärts"};
inline constexpr Control kLargerTextButton{
    "largerTextButton", {168, 440, 33, 17}, u"+", u"Schrift größer"};
inline constexpr Control kSmallerTextButton{
    "smallerTextButton", {208, 440, 33, 17}, u"-", u"Schrift kleiner"};
inline constexpr Control kOpenFindButton{
    "openFindButton", {248, 440, 57, 17}, u"&Suchen", u"Suchen im Thementext"};
inline constexpr Control kPicture{"picture", {376, 16, 417, 417}, nullptr, u"Bild"};
// The picture view's sunken border, and the square inside it that a picture is fitted into.
inline constexpr int kPictureBorder = 2;
inline constexpr int kPictureArea = kPicture.place.width() - 2 * kPictureBorder; // 413
inline constexpr Control kFindPanel{
    "findPanel", {-8, 432, 808, 145}, nullptr, u"Suchen im Thementext"};
inline constexpr Control kSearchProgress{
    "searchProgress", {392, 440, 401, 19}, nullptr, u"Suchfortschritt"};

// The find panel, back to front.
inline constexpr Control kFindHint{
    "findHint",
    {448, 64, 217, 57},
    u"Wenn Sie die Tasten [Shift]+[F3] oder [Strg]+[F3] verwenden, wird die markierte "
    u"Zeichenfolge mit den hiesigen Einstellungen gesucht. Die Taste [F3] setzt die Suche fort.",
    u"Hinweis zu den Suchtasten"};
inline constexpr Control kFindText{"findText", {8, 16, 785, 19}, nullptr, u"Zu suchender Text"};
inline constexpr Control kMatchCase{
    "matchCase", {8, 40, 193, 17}, u"&Groß- und Kleinschreibung beachten", nullptr};
inline constexpr Control kWholeWords{
    "wholeWords", {8, 56, 145, 17}, u"nur ganze &Wörter suchen", nullptr};
inline constexpr Control kSeparatorGroup{
    "separatorGroup", {8, 72, 369, 57}, u"Worttrennzeichen sind:", nullptr};
inline constexpr Control kFindNextButton{
    "findNextButton", {696, 40, 97, 17}, u"Su&chen", u"Weitersuchen"};
inline constexpr Control kCloseFindButton{
    "closeFindButton", {696, 120, 97, 17}, u"&Fenster schließen", nullptr};

// The word separator classes, indexed as the whole-word rule counts them (blank, tab and line
// break, underscore, hyphen, other punctuation), with their places in the separator group.
// Which start checked is the rule's own default set.
inline constexpr std::array<Control, 5> kSeparatorBoxes{{
    {"separatorBlank", {8, 16, 81, 17}, u"&Leerzeichen", nullptr},
    {"separatorTabAndEnter", {8, 32, 121, 17}, u"&Tabulator und [Enter]", nullptr},
    {"separatorUnderscore", {136, 16, 113, 17}, u"&Unterstreichung", nullptr},
    {"separatorHyphen", {136, 32, 81, 17}, u"&Bindestriche", nullptr},
    {"separatorOther", {232, 16, 129, 17}, u"&andere Sonderzeichen", nullptr},
}};
// Back to front, the separator boxes were laid as blank, tab, hyphen, underscore, other.
inline constexpr std::array<int, 5> kSeparatorStacking{0, 1, 3, 2, 4};

// The keys that act as a button of the window, beside the window's own (F3 and the find
// panel's keys), listed once: the key handling reads them here, and each button's tooltip
// names the first of its keys. Shift and the keypad do not count.
struct StandardKey {
    const char *control; // object name of the button the key clicks; "print" prints
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
};
inline constexpr std::array<StandardKey, 8> kStandardKeys{{
    {"backButton", Qt::Key_Left, Qt::AltModifier},
    {"backButton", Qt::Key_Back, Qt::NoModifier},
    {"forwardButton", Qt::Key_Right, Qt::AltModifier},
    {"forwardButton", Qt::Key_Forward, Qt::NoModifier},
    {"largerTextButton", Qt::Key_Plus, Qt::ControlModifier},
    {"largerTextButton", Qt::Key_Equal, Qt::ControlModifier},
    {"smallerTextButton", Qt::Key_Minus, Qt::ControlModifier},
    {"openFindButton", Qt::Key_F, Qt::ControlModifier},
}};
// Printing has no button: Ctrl+P.
inline constexpr StandardKey kPrintKey{"print", Qt::Key_P, Qt::ControlModifier};

// Tooltips of the buttons; each is followed by its key in brackets, e.g. "(Alt+Links)".
struct ToolTip {
    const char *name;
    const char16_t *text;
};
inline constexpr std::array<ToolTip, 5> kToolTips{{
    {"backButton", u"Zurück zum vorigen Thema"},
    {"forwardButton", u"Vorwärts zum nächsten Thema"},
    {"largerTextButton", u"Schrift größer"},
    {"smallerTextButton", u"Schrift kleiner"},
    {"openFindButton", u"Im Thementext suchen"},
}};

// Keyboard focus order, by object name: the main window's controls, then on into the find
// panel's.
inline constexpr std::array kTabOrder{
    "topicText",   "largerTextButton", "smallerTextButton", "backButton",     "forwardButton",
    "relatedList", "queryBox",         "topicList",         "openFindButton",
};
inline constexpr std::array kFindPanelTabOrder{
    "closeFindButton", "findText",
    "matchCase",       "wholeWords",
    "separatorBlank",  "separatorTabAndEnter",
    "separatorHyphen", "separatorUnderscore",
    "separatorOther",  "findNextButton",
};

// The splash window.
inline constexpr QSize kSplashSize{482, 344};
inline constexpr Control kSplashStatus{
    "status", {24, 192, 433, 33}, u"QuarnTamo wird initialisiert...", u"Status"};
inline constexpr Control kSplashDisclaimer{
    "disclaimer",
    {24, 232, 433, 81},
    u"Die Verwendung, Erweiterung, Veränderung oder Verbreitung von Quarn, von Komponenten "
    u"oder von mit dieser Programmiersprache erstellten Programmen und Dateien erfolgt auf "
    u"eigene Gefahr und Verantwortung. Der Entwickler dieser Programmiersprache übernimmt "
    u"keinerlei Haftung für Schäden, die von dieser Programmiersprache, einer oder mehrerer "
    u"ihrer Komponenten oder von, mit Hilfe dieser Programmiersprache erstellten, Programmen "
    u"und Dateien verursacht wurden.",
    u"Haftungsausschluss"};

} // namespace tamo::layout
