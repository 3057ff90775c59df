#pragma once

// What every regular window needs beside the data module: the hidden base window that keeps
// the background pictures, and the settings store, both for the lifetime of the object.

#include "data/SysInfo.h"
#include "ui/AbsBase.h"

class WindowFixture {
public:
    explicit WindowFixture(TDatabase &database) : m_settings(database) { AbsBaseForm = &m_base; }
    ~WindowFixture() { AbsBaseForm = nullptr; }

    TSysInfo &settings() { return m_settings; }

private:
    TAbsBaseForm m_base;
    TSysInfo m_settings;
};
