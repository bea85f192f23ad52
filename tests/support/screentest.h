#pragma once

#include "testenv.h"

#include "screens/screens.h"

#include <initializer_list>
#include <memory>

// One screen's world: a database with the full schema, a plain window in the main window's place
// and the screen made as the program makes it. The screens it opens in turn stand in as plain
// windows, so that only the screen under test does anything.
std::unique_ptr<TestEnv> screenTestEnv(Screen screen, Screens::Factory make,
                                       std::initializer_list<Screen> plainScreens = {});

// Every screen but the excepted ones made by make: stand-ins that do nothing of their own, so
// that what is under test does it all.
void registerStandIns(const std::function<QWidget*(Screen)>& make,
                      std::initializer_list<Screen> except);

// A code typed into the invoice screen's code box, an amount over the catalog's when one is
// given, and the line added with OK.
void addLine(QWidget* invoice, const QString& code, const QString& amount = QString());
