#include "User_interface.h"

void TForm1::wireCreatorFiles() {}
