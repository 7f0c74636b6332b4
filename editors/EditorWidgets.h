#pragma once
// Small pieces the editor windows share: picture buttons, field rules on line edits, Latin-1 text.
#include <QString>
#include <string>

#include "editors/EditorPictures.h"

class QComboBox;
class QLineEdit;
class QToolButton;
class QWidget;

namespace parlomat::editors {

// A button showing `picture`, with `label` under it when there is one.
QToolButton* pictureButton(QWidget* parent, const char* name, Picture picture,
                           const QString& toolTip, const QString& label = {});

// Applies `rule` to the line edit's text on every change, the user's and the program's. A text the
// rule replaces is left selected, so that the next key typed replaces it in turn.
void applyRule(QLineEdit* edit, std::string (*rule)(const std::string&));

// An editable combo box that neither completes what is typed nor adds it on Enter: its lines are
// added by the editor's own commands.
void makePlainEditable(QComboBox* combo);

// Text of a widget as single bytes for a number or a message: a character that does not fit shows
// as '?'. Typed text that is stored goes through qt::acceptTyped instead.
std::string lossyLatin1(const QString& text);
QString latin1(const std::string& text);

// Green text on black, the look of the editors' text boxes and protocol lists.
extern const char* const kGreenOnBlack;

}  // namespace parlomat::editors
