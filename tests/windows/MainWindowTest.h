// The real main window, made in the test's own process as the program makes it, from no
// settings file; the messages of the error handler are collected instead of shown.
#pragma once
#include "MainForm.h"
#include "StartUp.h"
#include "Settings.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

class TMainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        InitializeApplication();
        DeleteFileA(TSettings::GetIniFileName().c_str());
        Application.OnException = [this](const std::string& m) { Errors.push_back(m); };
    }
    void TearDown() override {
        Application.DestroyForms();
        Application.OnException = nullptr;
        frmMain = nullptr;
        DeleteFileA(TSettings::GetIniFileName().c_str());
    }
    TfrmMain* CreateMain() {
        frmMain = Application.CreateForm<TfrmMain>();
        F = frmMain;
        return F;
    }
    TfrmMain* F = nullptr;
    std::vector<std::string> Errors;
};
