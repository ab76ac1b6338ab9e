// Walks every page and saves a picture of the window on each, for the README. The pictures go to
// the build folder as BMP files; the build's screenshot step turns them into PNG files.
#include <gtest/gtest.h>

#include <fstream>

#include "tests/unit/TestSupport.h"
#include "tests/wizard/SetupSession.h"
#include "utils/InstUtils.h"
#include "wizard/Settings.h"

namespace {

// Copies the window's area of the screen into a 24-bit BMP file.
bool SaveWindowPicture(HWND window, const std::string& path)
{
    RECT rect;
    GetWindowRect(window, &rect);
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP picture = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, picture);
    BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    SelectObject(memory, old);

    BITMAPINFOHEADER info{sizeof info, width, height, 1, 24, BI_RGB};
    const int stride = (width * 3 + 3) & ~3;
    std::string pixels(static_cast<size_t>(stride) * height, '\0');
    GetDIBits(memory, picture, 0, height, &pixels[0], reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
    DeleteObject(picture);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);

    BITMAPFILEHEADER file{0x4D42, static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + sizeof info + pixels.size()), 0, 0,
                          sizeof(BITMAPFILEHEADER) + sizeof info};
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&info), sizeof info);
    out.write(pixels.data(), static_cast<std::streamsize>(pixels.size()));
    return static_cast<bool>(out);
}

std::string PictureFolder()
{
    std::string path = "Z:" SCREENSHOT_HOST_FOLDER "/";
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

}  // namespace

TEST(Screenshots, EveryPage)
{
    InstUtilsSession session;
    ScratchFolder temp(true);
    const std::string home = "C:\\Program Files\\Korvanta";
    ForceDirectories(home);
    WriteWholeFile(home + "\\kvwrite.exe", "stand-in");
    DeleteTree(PathJoin(GetSpecialFolder(CSIDL_COMMON_APPDATA_FOLDER), "Korvanta"));
    RegDeleteTreeA(HKEY_CURRENT_USER, SettingsKey);
    ForceDirectories(PictureFolder());

    SetupSession setup;
    const char* const titles[] = {"Welcome to the Korvanta Greek Spellchecker", "License Agreement",
                                  "Specify Home Folder", "Ready to Install", "Installation Complete"};
    const char* const files[] = {"page0-welcome", "page1-license", "page2-home-folder", "page3-ready",
                                 "page5-complete"};
    for (int page = 0; page < 5; ++page) {
        ASSERT_TRUE(setup.WaitForTitle(titles[page], 30000)) << DescribeWindow(setup);
        Sleep(300);  // let the page paint
        EXPECT_TRUE(SaveWindowPicture(setup.Window(), PictureFolder() + files[page] + ".bmp"));
        if (page != 3) {
            setup.Press(page < 4 ? "&Next >" : "&Finish");
            continue;
        }
        // The Installing page lasts only while files are written: a file held open keeps it up,
        // with the question of what to do about that file.
        const std::string held = PathJoin(GetSpecialFolder(CSIDL_COMMON_APPDATA_FOLDER), "Korvanta\\Public\\Spellcheck");
        ForceDirectories(held);
        HANDLE holder = CreateFileA((held + "\\Greek.asc").c_str(), GENERIC_READ, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        setup.Press("&Next >");
        const MessageBoxSeen box = setup.WaitForBox();
        ASSERT_NE(box.Window, nullptr);
        Sleep(300);
        EXPECT_TRUE(SaveWindowPicture(setup.Window(), PictureFolder() + "page4-installing.bmp"));
        CloseHandle(holder);
        AnswerMessageBox(box.Window, IDRETRY);
    }
    EXPECT_EQ(setup.WaitForExit(), 0u);
    DeleteTree(PathJoin(GetSpecialFolder(CSIDL_COMMON_APPDATA_FOLDER), "Korvanta"));
    DeleteTree(home);
}
