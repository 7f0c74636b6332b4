#pragma once
// The pictures of the editors' picture buttons and information windows, drawn at run time.
#include <QIcon>
#include <QRectF>

class QPainter;

namespace parlomat::editors {

enum class Picture {
  Open,          // a folder: open a file through the file dialog
  NewRecord,     // a blank page with a plus: clear the window for a new word
  Exit,          // an arrow leaving a door: close the editor
  ExitPressed,   // the same, pushed in
  Add,           // a page with a plus going into a stack: append a record
  Resave,        // a disk: rewrite the record
  Next,          // an arrow to the right
  Previous,      // an arrow to the left
  AddProtocol,   // list lines with a plus
  EditProtocol,  // a pencil over a line
  Listening,     // a microphone and sound waves (the information window)
  Upgrade,       // a rising arrow over bars (the window about coming upgrades)
};

// Draws `p` to fill `r`.
void paintPicture(QPainter& painter, const QRectF& r, Picture p);
// `p` as a square icon of `size` pixels.
QIcon pictureIcon(Picture p, int size = 40);
// The Vocabulary Editor's background, stretched over `r`.
void paintVocabularyBackground(QPainter& painter, const QRectF& r);

}  // namespace parlomat::editors
