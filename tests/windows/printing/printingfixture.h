#pragma once
// The real main window, offscreen, with a recording printer, for the printout and its window.
#include <gtest/gtest.h>

#include "testsupport.h"
#include "windows/printing/printout.h"

class PrintingTest : public ::testing::Test, protected testsupport::ScriptedWindow {
  protected:
    ~PrintingTest() override {
        EXPECT_FALSE(boxes.hasFailures()) << boxes.failures().join("\n").toStdString();
        EXPECT_FALSE(fileDialogs.hasFailures()) << fileDialogs.failures().join("\n").toStdString();
    }

    workbench::BenchController& bench() { return window->workbench(); }
};
