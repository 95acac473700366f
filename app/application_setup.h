// What the program sets up before its window: the default font and the title of its boxes.
#pragma once

#include <QFont>
#include <QString>

namespace app {

// Tahoma at 11 pixels: Wine's free Tahoma where fonts-wine put it (outside fontconfig's
// folders, so it is loaded by hand), else the desktop's sans-serif font at that size.
QFont WindowFont();

// Makes WindowFont the application's default font, for the window and its boxes alike.
void InstallWindowFont();

// The program file's name without extension, the caption of every box.
QString ApplicationTitle();

}  // namespace app
