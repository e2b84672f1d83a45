// The programs players start carry the game's icon as icon group 100, the one the window class
// loads: read from the built program files as Windows reads them, in each size the shell asks for.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const WORD kIconResource = 100;

struct Program
{
    const char* mName;
    const char* mPath;
};

const Program kPrograms[] = {{"plovendra", VORN_GAME_PROGRAM}, {"plovendra_probe", VORN_PROBE_PROGRAM}};

// The build's paths are the build machine's; under Wine its root is drive Z.
std::wstring WindowsPath(const std::string& path)
{
    const std::string full = path.size() > 0 && path[0] == '/' ? "Z:" + path : path;
    return std::wstring(full.begin(), full.end());
}

// The icon's pixels, top row first, as 32-bit BGRA.
std::vector<RGBQUAD> Pixels(HICON icon, int& width, int& height)
{
    std::vector<RGBQUAD> pixels;
    ICONINFO info = {};
    if (!GetIconInfo(icon, &info))
        return pixels;
    BITMAP bitmap = {};
    if (info.hbmColor != nullptr && GetObjectW(info.hbmColor, sizeof(bitmap), &bitmap) != 0) {
        width = bitmap.bmWidth;
        height = bitmap.bmHeight;
        BITMAPINFO format = {};
        format.bmiHeader.biSize = sizeof(format.bmiHeader);
        format.bmiHeader.biWidth = width;
        format.bmiHeader.biHeight = -height;
        format.bmiHeader.biPlanes = 1;
        format.bmiHeader.biBitCount = 32;
        format.bmiHeader.biCompression = BI_RGB;
        pixels.resize(size_t(width) * size_t(height));
        HDC context = GetDC(nullptr);
        if (GetDIBits(context, info.hbmColor, 0, UINT(height), pixels.data(), &format, DIB_RGB_COLORS) != height)
            pixels.clear();
        ReleaseDC(nullptr, context);
    }
    if (info.hbmColor != nullptr)
        DeleteObject(info.hbmColor);
    if (info.hbmMask != nullptr)
        DeleteObject(info.hbmMask);
    return pixels;
}

class ProgramIconTest : public ::testing::TestWithParam<Program>
{
};

TEST_P(ProgramIconTest, HoldsIconGroup100InEverySizeWithTheBadgeDrawn)
{
    const Program& program = GetParam();
    HMODULE module = LoadLibraryExW(WindowsPath(program.mPath).c_str(), nullptr,
                                    LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(module, nullptr) << program.mPath << " error " << GetLastError();
    EXPECT_NE(FindResourceW(module, MAKEINTRESOURCEW(kIconResource), RT_GROUP_ICON), nullptr);

    for (const int size : {16, 32, 48, 256}) {
        SCOPED_TRACE(size);
        HICON icon = static_cast<HICON>(
            LoadImageW(module, MAKEINTRESOURCEW(kIconResource), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
        ASSERT_NE(icon, nullptr) << "error " << GetLastError();
        int width = 0;
        int height = 0;
        const std::vector<RGBQUAD> pixels = Pixels(icon, width, height);
        DestroyIcon(icon);
        ASSERT_EQ(width, size);
        ASSERT_EQ(height, size);
        ASSERT_EQ(pixels.size(), size_t(size * size));
        // A round badge: the corners are clear, the middle (the frog in the launcher) is an
        // opaque green.
        const RGBQUAD corner = pixels[0];
        const RGBQUAD middle = pixels[size_t(size / 2) * size_t(size) + size_t(size / 2)];
        EXPECT_EQ(corner.rgbReserved, 0);
        EXPECT_EQ(middle.rgbReserved, 255);
        EXPECT_GT(middle.rgbGreen, middle.rgbRed);
        EXPECT_GT(middle.rgbGreen, middle.rgbBlue);
    }
    FreeLibrary(module);
}

INSTANTIATE_TEST_SUITE_P(Programs, ProgramIconTest, ::testing::ValuesIn(kPrograms),
                         [](const ::testing::TestParamInfo<Program>& info) { return std::string(info.param.mName); });

} // namespace
