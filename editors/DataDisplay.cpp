#include "editors/DataDisplay.h"

namespace parlomat::editors {

DataDisplay::DataDisplay(QWidget* editor)
    : ListWindow(QStringLiteral("DataDisplay"),
                 QStringLiteral("Parlomat Language  Editor :  Database Display"), editor) {}

}  // namespace parlomat::editors
