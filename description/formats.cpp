// SPDX-License-Identifier: MIT
#include "description/formats.h"

const DescriptionFormat<ShellDescription>& ShellDescriptionFormat() {
    using Row = FieldFormat<ShellDescription>;
    using D = ShellDescription;
    static const DescriptionFormat<ShellDescription> format = {
        Row::Text("app_name", &D::m_strAppName),
        Row::Name("app_icon", &D::m_strAppIcon),
        Row::Name("app_cursor_lo", &D::m_strCursorLo),
        Row::Name("app_cursor_hi", &D::m_strCursorHi),
        Row::Flag("app_fullscreen", &D::m_bFullscreen),
        Row::Flag("app_drawrects", &D::m_bDrawRects),
        Row::Name("bg_image", &D::m_strBgImage),
        Row::Count("num_movies", &D::m_nMovies, &D::m_movies, "movies"),
        Row::Flag("play_movie", &D::m_bPlayMovie),
        Row::Count("num_buttons", &D::m_nButtons, &D::m_buttonFiles, "buttons"),
    };
    return format;
}

const DescriptionFormat<ShellButton>& ShellButtonFormat() {
    using Row = FieldFormat<ShellButton>;
    using B = ShellButton;
    static const DescriptionFormat<ShellButton> format = {
        Row::Picture("image_lo", &B::m_strLoName, &B::m_pLoImage),
        Row::Picture("image_hi", &B::m_strHiName, &B::m_pHiImage),
        // One name field for both pictures: the bubble's name, when given, replaces the other.
        Row::Picture("image_bubble", &B::m_strHiName, &B::m_pBubbleImage),
        Row::Number("pos_x", &B::m_nPosX),
        Row::Number("pos_y", &B::m_nPosY),
        Row::Side("rect_l", &B::m_rcHit, &RECT::left),
        Row::Side("rect_t", &B::m_rcHit, &RECT::top),
        Row::Side("rect_r", &B::m_rcHit, &RECT::right),
        Row::Side("rect_b", &B::m_rcHit, &RECT::bottom),
        Row::Name("sound_hoover", &B::m_strSoundHover),
        Row::Name("sound_click", &B::m_strSoundClick),
        Row::Text("execute_cmd", &B::m_strCommand),
        Row::Flag("shutdown", &B::m_bShutdown),
    };
    return format;
}
