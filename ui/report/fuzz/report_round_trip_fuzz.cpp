// Builds a report from arbitrary bytes (fuzz_report_definition.h),
// paginates it and saves it: the saved file must always read back. Catches
// pages the engine makes but the saved-report reader would refuse.

#include <QGuiApplication>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "ui/report/fuzz/fuzz_report_definition.h"
#include "ui/report/qrp_file.h"
#include "ui/report/report_paginator.h"

using namespace zentrix::report;

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto bytes = std::make_shared<fuzz::FuzzBytes>(data, size);
    const RenderedReport report = Paginate(fuzz::DefinitionOfFuzzBytes(bytes));
    if (report.pages.size() > 300) return 0;  // legal, but slow to check
    auto reopened = DecodeReport(EncodeReport(report), QStringLiteral("round-trip.qrp"));
    if (!reopened) {
        fprintf(stderr, "refused: %s\n", reopened.message().c_str());
        abort();
    }
    return 0;
}
