#pragma once

#include <QWidget>

#include <functional>
#include <memory>
#include <string>
#include <vector>

// Windows to render for review. Each source file of this tool registers the
// windows of one group; the factory runs once per language, after the
// language has been switched, so texts come out in that language.
struct ScreenshotEntry {
    std::string name;
    std::function<std::unique_ptr<QWidget>()> make;
};

std::vector<ScreenshotEntry>& ScreenshotRegistry();
bool RegisterScreenshot(std::string name, std::function<std::unique_ptr<QWidget>()> make);

#define ORMEL_SS_CAT2(a, b) a##b
#define ORMEL_SS_CAT(a, b) ORMEL_SS_CAT2(a, b)
#define REGISTER_SCREENSHOT(name, ...) \
    static const bool ORMEL_SS_CAT(registered_, __LINE__) = RegisterScreenshot(name, __VA_ARGS__)
