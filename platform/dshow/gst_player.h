// SPDX-License-Identifier: MIT
// A movie file played by GStreamer: a playbin whose video goes to an app sink (frames handed
// over at their presentation times on the pipeline's clock, late ones dropped) and whose sound
// goes to the system's sink, or nowhere in time when there is none. Neither GLib nor the Win32
// names appear here: their TRUE and FALSE cannot meet in one file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <limits>
#include <memory>
#include <string>

namespace dshow {

// Once per process; false when GStreamer cannot start.
bool StartGStreamer();

class GstPlayer {
  public:
    struct Callbacks {
        // A decoded picture, BGRx rows top first; on a streaming thread.
        std::function<void(int width, int height, const std::uint8_t* bgrx, std::size_t stride)>
            frame;
        // The end of the stream, or an error while playing; on a streaming thread.
        std::function<void()> ended;
        std::function<void()> failed;
    };
    enum class Opened { kPlayable, kMissing, kUnplayable, kTimedOut };

    explicit GstPlayer(Callbacks callbacks);
    GstPlayer(const GstPlayer&) = delete;
    GstPlayer& operator=(const GstPlayer&) = delete;
    // Stops the pipeline and joins its threads: no callback runs afterwards.
    ~GstPlayer();

    // Prerolls the file at `path` within a few seconds.
    Opened Open(const std::string& path);
    void Play();
    void Pause();
    // Frames are at most `width` x `height`: a larger movie is scaled down before it is
    // converted and handed over, so its size does not decide the memory a frame takes. Any
    // time; for an open movie, from its next frame on.
    void BoundFrames(int width, int height);

  private:
    struct Pipeline;
    Callbacks m_callbacks;
    int m_boundWidth = std::numeric_limits<int>::max();
    int m_boundHeight = std::numeric_limits<int>::max();
    std::unique_ptr<Pipeline> m_pipeline;  // after the callbacks it calls, so it goes first
};

}  // namespace dshow
