#include "screentest.h"

#include "ui.h"

#include <QCoreApplication>
#include <QWidget>
#include <algorithm>

std::unique_ptr<TestEnv> screenTestEnv(Screen screen, Screens::Factory make,
                                       std::initializer_list<Screen> plainScreens) {
    auto env = std::make_unique<TestEnv>();
    env->createDatabase();
    standInForMainWindow();
    Screens::registerFactory(screen, std::move(make));
    for (const Screen plain : plainScreens)
        Screens::registerFactory(plain, [] { return new QWidget; });
    return env;
}

void registerStandIns(const std::function<QWidget*(Screen)>& make,
                      std::initializer_list<Screen> except) {
    for (const Screen screen : allScreens())
        if (std::find(except.begin(), except.end(), screen) == except.end())
            Screens::registerFactory(screen, [make, screen] { return make(screen); });
}

void addLine(QWidget* invoice, const QString& code, const QString& amount) {
    typeInto(invoice, "text4", code, "Text6");
    if (!amount.isEmpty())
        typeInto(invoice, "Text6", amount, "SSCommand1");
    press(invoice, "SSCommand1");
}
