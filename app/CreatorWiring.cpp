#include "User_interface.h"

#include <CreatorBindings.h>
#include <CreatorPanel.h>

#include <QLabel>
#include <QTabWidget>

void TForm1::wireCreator() {
    // A Qt child of PageControl2.
    new CreatorPanel(*control<QTabWidget>("PageControl2"),
                     *control<QLabel>(CreatorBindings::WarningLabel), prompts());
}
