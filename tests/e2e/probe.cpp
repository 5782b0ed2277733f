// A look at the running launcher from outside, for tests/e2e/road.sh. Writes
// tab-separated lines in UTF-8 to standard output:
//   probe launcher      window  x  y  width  height  visible
//                       button  id  enabled  caption     (ids 400, 402, 401, 403, 404)
//                       exit status 2 when no launcher window is there
//   probe font FACE     font  FACE  selected face  installed (1: a font of that
//                       family exists, 0: Wine substitutes the selected face)
#include <windows.h>

#include <string>

namespace {

void Write(const std::wstring& line)
{
    const std::wstring text = line + L"\n";
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), NULL, 0, NULL, NULL);
    std::string bytes(size, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), &bytes[0], size, NULL,
                        NULL);
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
              NULL);
}

std::wstring Number(long value)
{
    WCHAR text[16];
    wsprintfW(text, L"%ld", value);
    return text;
}

int ProbeLauncher()
{
    HWND window = FindWindowW(L"Corvane Launcher", L"Launcher");
    if (window == NULL)
        return 2;
    RECT frame;
    GetWindowRect(window, &frame);
    Write(L"window\t" + Number(frame.left) + L"\t" + Number(frame.top) + L"\t" +
          Number(frame.right - frame.left) + L"\t" + Number(frame.bottom - frame.top) + L"\t" +
          Number(IsWindowVisible(window) ? 1 : 0));
    const int ids[] = { 400, 402, 401, 403, 404 };
    for (int id : ids) {
        HWND button = GetDlgItem(window, id);
        if (button == NULL) {
            Write(L"button\t" + Number(id) + L"\tmissing\t");
            continue;
        }
        WCHAR caption[512] = L"";
        GetWindowTextW(button, caption, 512);
        Write(L"button\t" + Number(id) + L"\t" + Number(IsWindowEnabled(button) ? 1 : 0) + L"\t" + caption);
    }
    return 0;
}

int CALLBACK CountFamily(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found)
{
    *reinterpret_cast<int*>(found) = 1;
    return 0;
}

int ProbeFont(const WCHAR* face)
{
    HDC dc = GetDC(NULL);
    LOGFONTW wanted;
    ZeroMemory(&wanted, sizeof(wanted));
    wanted.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(wanted.lfFaceName, face, LF_FACESIZE);
    int installed = 0;
    EnumFontFamiliesExW(dc, &wanted, CountFamily, reinterpret_cast<LPARAM>(&installed), 0);

    // As the launcher's buttons ask for it.
    HFONT font = CreateFontW(18, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face);
    HGDIOBJ previous = SelectObject(dc, font);
    WCHAR selected[LF_FACESIZE] = L"";
    GetTextFaceW(dc, LF_FACESIZE, selected);
    SelectObject(dc, previous);
    DeleteObject(font);
    ReleaseDC(NULL, dc);
    Write(std::wstring(L"font\t") + face + L"\t" + selected + L"\t" + Number(installed));
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc == 2 && lstrcmpW(argv[1], L"launcher") == 0)
        return ProbeLauncher();
    if (argc == 3 && lstrcmpW(argv[1], L"font") == 0)
        return ProbeFont(argv[2]);
    Write(L"usage: probe launcher | probe font FACE");
    return 1;
}
