#include "User_interface.h"

#include "MouseDown.h"

#include <CreatorFiles.h>
#include <CreatorPanel.h>

#include <QPushButton>
#include <QRadioButton>

void TForm1::wireCreatorFiles() {
    // A Qt child of the window: it holds the creator's record for the window's life.
    auto* panel = findChild<CreatorPanel*>();
    auto* files = new CreatorFiles(panel->model(), prompts(), reporter(), link(), this);
    files->setModelChanged([panel] { panel->showModel(); });
    onMouseDown(control<QRadioButton>("RadioButton_Brand_New"),
                [files] { files->startBrandNew(); });
    onMouseDownQueued(control<QRadioButton>("RadioButton_Bin_Modifiy"),
                      [files] { files->loadBinFile(); });
    connect(control<QPushButton>("Button_Save_Created"), &QPushButton::clicked, files,
            [files] { files->saveCreated(); });
    connect(control<QPushButton>("Button_Upload_Created"), &QPushButton::clicked, files,
            [files] { files->uploadCreated(); });
}
