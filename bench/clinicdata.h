#pragma once

#include <QString>
#include <cstdint>

// How big a clinic's database to make, and from which seed.
struct ClinicSize {
    int patients = 2000;
    int invoices = 20000;
    double linesPerInvoice = 2.5;
    int years = 20;
    int lastYear = 2026;
    std::uint64_t seed = 1;
};

// Fills an empty database of the program's schema with a clinic's years of data: patients,
// a catalog of 300 procedures, invoices spread over the years in number order with their lines,
// a share of them still due. The same size and seed always give the same data.
void generateClinicData(const QString& databasePath, const ClinicSize& size);
