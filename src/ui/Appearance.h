#pragma once

#include <QFont>
#include <QIcon>

class QColor;
class QComboBox;
class QLineEdit;
class QWidget;

// How every window looks: one UI font for Thai and Latin alike, sizes scaled
// from the old screen, and the program's icon.
namespace Appearance {

// A Thai UI face that also covers Latin (fonts-thai-tlwg). With one face for
// both scripts, fields are sized for the marks stacked above Thai letters
// instead of for a Latin face that lacks them.
constexpr const char* UiFontFamily = "Loma";
constexpr double UiFontPointSize = 10.0;
// The old screens were laid out for 8-point text.
constexpr double LayoutPointSize = 8.0;

QFont uiFont();

// Sets the UI font and the window icon for the whole program.
void apply();

// A width or height given for the old 8-point screen, in pixels for the
// current UI font, so that a column holds as many characters as it did.
// 0 stays 0 (a hidden column).
int scaled(int oldPixels);

// An amount field: figures at the right, and room for the largest amount
// the columns hold, 99,999,999,999.99, in the field's own font.
void fitAmountField(QLineEdit* edit);
// The widest amount shown, by which amount fields and columns are sized.
inline const QString WidestAmountText = QStringLiteral("99,999,999,999.99");

// A label's or a field's text in a colour of its own, kept when the field is
// disabled.
void setTextColour(QWidget* widget, const QColor& colour);

// A field the window fills for reading: black text on a pale ground that a
// clerk can select and copy but not type over; Tab passes it by. (A disabled
// field would show the same text pale grey, and could not be copied.)
void showForReading(QLineEdit* edit);
void showForReading(QComboBox* combo);

// The program's own icon, drawn here: a pay-in slip with a baht sign.
QIcon programIcon();

} // namespace Appearance
