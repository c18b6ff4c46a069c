#include "User_interface.h"

#include <CreatorPanel.h>

#include <QLabel>
#include <QTabWidget>

void TForm1::wireCreator() {
    // A Qt child of PageControl2.
    new CreatorPanel(*control<QTabWidget>("PageControl2"),
                     *control<QLabel>("Label_EdidCreator_Warning"), prompts());
}
