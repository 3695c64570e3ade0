// SPDX-License-Identifier: MIT
#include "description/shell_button.h"

#include <new>

#include "description/description_reader.h"
#include "imaging/dib_image.h"
#include "platform/file_stream.h"

std::uint32_t g_nNextButtonId = 1;
std::string g_strMediaFolder = " ";

void SetMediaFolder(std::string folder) {
    g_strMediaFolder = std::move(folder);
}

ShellButton::ShellButton() : m_nId(g_nNextButtonId++) {}

ShellButton::~ShellButton() {
    delete m_pLoImage;
    delete m_pHiImage;
    delete m_pBubbleImage;
}

namespace {

// Stores a picture name and loads the picture at once, so a missing file fails the button even
// when a later key is wrong.
bool ReadPicture(const char* value, std::string& name, DibImage*& picture) {
    if (value == nullptr) {
        return false;
    }
    if (IsNull(value)) {
        return true;
    }
    name = value;
    delete picture;
    picture = new (std::nothrow) DibImage;
    return picture != nullptr && picture->Load((g_strMediaFolder + name).c_str()) == TRUE;
}

}  // namespace

BOOL ShellButton::Load(const char* path) {
    const auto stream = OpenFileStream(path, FileMode::kText);
    if (stream->fail()) {
        return FALSE;
    }
    KeyValueFile file;
    if (!file.Load(*stream, " =")) {
        return FALSE;
    }
    DescriptionReader r(file);
    const bool read = ReadPicture(r.Setting("image_lo"), m_strLoName, m_pLoImage) &&
                      ReadPicture(r.Setting("image_hi"), m_strHiName, m_pHiImage) &&
                      ReadPicture(r.Setting("image_bubble"), m_strHiName, m_pBubbleImage) &&
                      r.StoreNumber(r.Setting("pos_x"), m_nPosX) &&
                      r.StoreNumber(r.Setting("pos_y"), m_nPosY) &&
                      r.StoreNumber(r.Setting("rect_l"), m_rcHit.left) &&
                      r.StoreNumber(r.Setting("rect_t"), m_rcHit.top) &&
                      r.StoreNumber(r.Setting("rect_r"), m_rcHit.right) &&
                      r.StoreNumber(r.Setting("rect_b"), m_rcHit.bottom) &&
                      r.Store(r.Setting("sound_hoover"), m_strSoundHover) &&
                      r.Store(r.Setting("sound_click"), m_strSoundClick) &&
                      r.Store(r.Setting("execute_cmd"), m_strCommand) &&
                      r.StoreFlag(r.Setting("shutdown"), m_bShutdown);
    return read ? TRUE : FALSE;
}
