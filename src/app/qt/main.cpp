#include "app/qt/desktop_app.h"

int main(int argc, char** argv) { return tarnwick::RunDesktop(argc, argv); }
