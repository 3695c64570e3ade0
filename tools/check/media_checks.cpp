// SPDX-License-Identifier: MIT
#include "tools/check/media_checks.h"

#include <SDL.h>
#include <sys/stat.h>

#include <algorithm>
#include <fstream>

#include "description/shell_description.h"
#include "imaging/dib_image.h"
#include "platform/dshow.h"
#include "platform/win32/ansi_text.h"
#include "platform/win32/icon_file.h"
#include "platform/win32/path_mapping.h"
#include "platform/windows.h"

namespace {

constexpr int kCursorSize = 32;
// The layer reads sounds, icons and cursors whole, up to 256 MiB.
constexpr const char* kTooLarge = " is larger than 256 MiB: the launcher does not read it";

bool Unset(const Setting& s) {
    return !s.given || s.value == "null";
}

std::size_t EditDistance(const std::string& a, const std::string& b) {
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) {
        row[j] = j;
    }
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            const bool same = std::tolower(static_cast<unsigned char>(a[i - 1])) ==
                              std::tolower(static_cast<unsigned char>(b[j - 1]));
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (same ? 0 : 1)});
            diagonal = above;
        }
    }
    return row[b.size()];
}

// A file of the same folder whose name is close to the missing one's, for "did you mean".
std::string NearestName(const std::string& mappedPath) {
    const std::size_t slash = mappedPath.rfind('/');
    const std::string folder = slash == std::string::npos ? "" : mappedPath.substr(0, slash);
    const std::string name = mappedPath.substr(slash == std::string::npos ? 0 : slash + 1);
    std::string best;
    std::size_t bestDistance = 3;
    for (const std::string& entry : win32::DirectoryEntries(folder)) {
        const std::size_t d = EditDistance(name, entry);
        if (d < bestDistance && entry != name) {
            best = entry;
            bestDistance = d;
        }
    }
    return best;
}

}  // namespace

std::optional<std::string> ReadHead(const std::string& ansiPath, std::size_t limit) {
    const std::string path = win32::MapPath(ansiPath);
    struct stat st {};
    if (stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
        return std::nullopt;  // before opening: a FIFO would block the open
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::string head(limit, '\0');
    in.read(head.data(), static_cast<std::streamsize>(limit));
    head.resize(static_cast<std::size_t>(in.gcount()));
    return head;
}

std::string MediaFile(const std::string& ansiName) {
    return win32::MapPath(kMediaFolder + ansiName);
}

bool CheckNamedFile(const std::string& file, const Setting& s, const std::string& what,
                    Problems& out) {
    if (Unset(s)) {
        return false;
    }
    const std::string path = MediaFile(s.value);
    struct stat st {};
    if (stat(path.c_str(), &st) != 0 && lstat(path.c_str(), &st) == 0) {
        out.push_back(
            {file, s.line, what + " " + Quoted(s.value) + " is a broken or looping link"});
        return false;
    }
    if (stat(path.c_str(), &st) != 0) {
        std::string message = what + " " + Quoted(s.value) + " matches no file in shellmedia";
        if (const std::string near = NearestName(path); !near.empty()) {
            message += " (there is \"" + near + "\")";
        }
        out.push_back({file, s.line, message});
        return false;
    }
    if (!S_ISREG(st.st_mode)) {
        out.push_back({file, s.line, what + " " + Quoted(s.value) + " is not a regular file"});
        return false;
    }
    return true;
}

std::optional<PictureSize> CheckPicture(const std::string& file, const Setting& s,
                                        const std::string& what, Problems& out) {
    if (!CheckNamedFile(file, s, what, out)) {
        return std::nullopt;
    }
    DibImage picture;
    const std::string subject = what + " " + Quoted(s.value);
    if (picture.Load((kMediaFolder + s.value).c_str()) == FALSE) {
        out.push_back({file, s.line, subject + " " + picture.m_strLoadProblem});
        return std::nullopt;
    }
    const BITMAPINFOHEADER& h = picture.m_pInfo->bmiHeader;
    if (h.biCompression != 0) {
        out.push_back({file, s.line, subject + " is compressed: only uncompressed BMPs show"});
    }
    if (h.biBitCount != 24) {
        out.push_back({file, s.line,
                       subject + " has " + std::to_string(h.biBitCount) +
                           " bits per pixel: only 24-bit pictures are drawn"});
    }
    if (h.biHeight < 0) {
        out.push_back({file, s.line, subject + " is stored top row first: it shows upside down"});
    }
    return PictureSize{static_cast<int>(h.biWidth), static_cast<int>(h.biHeight)};
}

void CheckSound(const std::string& file, const Setting& s, const std::string& what, Problems& out) {
    if (!CheckNamedFile(file, s, what, out)) {
        return;
    }
    const auto bytes = win32::ReadMappedFile(kMediaFolder + s.value);
    SDL_AudioSpec format{};
    Uint8* buffer = nullptr;
    Uint32 length = 0;
    SDL_RWops* rw = bytes && !bytes->empty()
                        ? SDL_RWFromConstMem(bytes->data(), static_cast<int>(bytes->size()))
                        : nullptr;
    if (!bytes) {
        out.push_back({file, s.line, what + " " + Quoted(s.value) + kTooLarge});
        return;
    }
    if (rw == nullptr || SDL_LoadWAV_RW(rw, 1, &format, &buffer, &length) == nullptr) {
        out.push_back({file, s.line,
                       what + " " + Quoted(s.value) + " is not a WAV sound that plays (" +
                           (rw == nullptr ? "empty file" : SDL_GetError()) + ")"});
        return;
    }
    SDL_FreeWAV(buffer);
}

void CheckIconFile(const std::string& file, const Setting& s, const std::string& what,
                   Problems& out) {
    if (!CheckNamedFile(file, s, what, out)) {
        return;
    }
    const auto bytes = win32::ReadMappedFile(kMediaFolder + s.value);
    const std::string subject = what + " " + Quoted(s.value);
    if (!bytes) {
        out.push_back({file, s.line, subject + kTooLarge});
        return;
    }
    if (!win32::DecodeIconFile(*bytes, kCursorSize)) {
        out.push_back({file, s.line, subject + " is not an icon or cursor file that loads"});
        return;
    }
    const std::size_t count = (*bytes)[4] | (*bytes)[5] << 8;
    bool has32 = false;
    for (std::size_t i = 0; i < count && 6 + 16 * i + 1 < bytes->size(); ++i) {
        has32 = has32 ||
                ((*bytes)[6 + 16 * i] == kCursorSize && (*bytes)[6 + 16 * i + 1] == kCursorSize);
    }
    if (!has32) {
        out.push_back({file, s.line, subject + " has no 32x32 picture: another size is scaled"});
    }
}

void CheckMovie(const std::string& file, const Setting& s, const std::string& what, Problems& out) {
    if (!CheckNamedFile(file, s, what, out)) {
        return;
    }
    IGraphBuilder* graph = nullptr;
    CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                     reinterpret_cast<void**>(&graph));
    if (graph == nullptr) {
        return;  // no movie support here: nothing to try the movie with
    }
    WCHAR wide[MAX_PATH];
    const std::string path = kMediaFolder + s.value;
    if (MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH) == 0 ||
        FAILED(graph->RenderFile(wide, nullptr))) {
        out.push_back({file, s.line,
                       what + " " + Quoted(s.value) +
                           " cannot be played: not a movie, or no decoder for it is installed"});
    }
    graph->Release();
}

void CheckCommand(const std::string& file, const Setting& s, Problems& out) {
    if (!s.given) {
        return;
    }
    if (s.value == "null") {
        out.push_back(
            {file, s.line,
             "\"" + std::string(s.key) + "\" is null: a click on the button does nothing"});
        return;
    }
    if (s.value == "exit") {
        return;
    }
    // As the launcher opens it: a file from the folder it starts in, or an address.
    struct stat st {};
    if (stat(win32::MapPath(s.value).c_str(), &st) != 0 &&
        !win32::IsAddress(win32::AnsiToUtf8(s.value))) {
        out.push_back({file, s.line,
                       "command " + Quoted(s.value) +
                           " names no file in the menu's folder and no address (the launcher "
                           "opens files from the folder it starts in)"});
    }
}
