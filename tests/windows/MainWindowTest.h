// The real main window, made in the test's own process as the program makes it, from no
// settings file; the messages of the error handler are collected instead of shown.
#pragma once
#include "MainForm.h"
#include "Texts.h"
#include "StartUp.h"
#include "settings/Settings.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

class TMainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        // A main window that an earlier test closed posted WM_QUIT; left in the queue, it would
        // keep every input and timer message of this test from being handled.
        MSG quit;
        PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
        InitializeApplication();
        DeleteFileA(TSettings::GetIniFileName().c_str());
        Application.OnException = [this](const std::string& m) { Errors.push_back(m); };
    }
    void TearDown() override {
        Application.DestroyForms();
        Application.OnException = nullptr;
        frmMain = nullptr;
        DeleteFileA(TSettings::GetIniFileName().c_str());
        SetLanguage(TLanguage::Chinese);
    }
    TfrmMain* CreateMain() {
        frmMain = Application.CreateForm<TfrmMain>();
        F = frmMain;
        return F;
    }
    TfrmMain* F = nullptr;
    std::vector<std::string> Errors;
};
