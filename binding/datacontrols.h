#pragma once

#include <QString>
#include <vector>

class DataSource;

// One data control of a screen and the record source it is bound to.
struct DataControl {
    const char* screen;
    const char* name;
    const char* recordSource;
};

// The data controls of every screen, in the order in which they are bound.
const std::vector<DataControl>& dataControls();

// The data control of a screen, if the screen exists and has it.
DataSource* findDataSource(const QString& screen, const QString& name);
