#include "app/screenfactories.h"

#include "app/mainwindow.h"
#include "binding/screens.h"

void registerScreens() {
    Screens::registerFactory("Form2", [] { return new MainWindow; });
}
