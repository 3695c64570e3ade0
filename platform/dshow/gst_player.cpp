// SPDX-License-Identifier: MIT
#include "platform/dshow/gst_player.h"

#include <gst/app/gstappsink.h>
#include <gst/gst.h>
#include <gst/video/video.h>
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <mutex>

namespace dshow {
namespace {

// Long enough for a cold start of the decoders, short enough that a menu never seems hung.
constexpr auto kPrerollLimit = std::chrono::seconds(5);
constexpr guint kPlayVideoAndAudio = 0x1 | 0x2;  // playbin's flags: no subtitles, no visuals
constexpr GstClockTime kMaxLateness = 20 * GST_MSECOND;

bool IsFile(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// The first sound output that opens; a machine without one plays in time into nothing. Probed
// once: each probe of a missing server or device costs time and, for ALSA, lines on stderr.
const char* AudioSinkName() {
    static const char* const name = [] {
        struct stat st {};
        const bool soundDevices = stat("/dev/snd", &st) == 0;
        for (const char* candidate : {"pulsesink", "alsasink"}) {
            if (std::strcmp(candidate, "alsasink") == 0 && !soundDevices) {
                continue;
            }
            GstElement* sink = gst_element_factory_make(candidate, nullptr);
            if (sink == nullptr) {
                continue;
            }
            const GstStateChangeReturn opened = gst_element_set_state(sink, GST_STATE_READY);
            gst_element_set_state(sink, GST_STATE_NULL);
            gst_object_unref(sink);
            if (opened != GST_STATE_CHANGE_FAILURE) {
                return candidate;
            }
        }
        return "fakesink";
    }();
    return name;
}

GstElement* MakeAudioSink() {
    GstElement* sink = gst_element_factory_make(AudioSinkName(), nullptr);
    if (sink != nullptr && std::strcmp(AudioSinkName(), "fakesink") == 0) {
        g_object_set(sink, "sync", TRUE, nullptr);
    }
    return sink;
}

// Within the bound, videoscale fixates each side on its own: a side over the bound becomes the
// bound, a side within it stays, and the pixel aspect ratio takes up the difference. The picture
// is stretched over the window anyway, so keeping its proportions here would only cost detail
// along one side, and a movie no larger than the window passes through untouched.
GstCaps* BoundCaps(int width, int height) {
    // An integer range needs two distinct ends.
    return gst_caps_new_simple("video/x-raw", "width", GST_TYPE_INT_RANGE, 1, std::max(width, 2),
                               "height", GST_TYPE_INT_RANGE, 1, std::max(height, 2), nullptr);
}

}  // namespace

bool StartGStreamer() {
    static const bool started = gst_init_check(nullptr, nullptr, nullptr) == TRUE;
    return started;
}

struct GstPlayer::Pipeline {
    enum class Preroll { kWaiting, kDone, kFailed };

    GstElement* playbin = nullptr;
    GstElement* bound = nullptr;  // the capsfilter that bounds the frames' size
    const Callbacks* callbacks = nullptr;
    std::mutex lock;
    std::condition_variable changed;
    Preroll preroll = Preroll::kWaiting;
    // The buffer of the last preroll, held until the next frame: while it is held no other
    // buffer can take its address.
    GstBuffer* prerolled = nullptr;

    ~Pipeline() {
        if (playbin == nullptr) {
            return;
        }
        gst_element_set_state(playbin, GST_STATE_NULL);  // joins the streaming threads
        Hold(nullptr);
        GstBus* bus = gst_element_get_bus(playbin);
        gst_bus_set_sync_handler(bus, nullptr, nullptr, nullptr);
        gst_object_unref(bus);
        if (bound != nullptr) {
            gst_object_unref(bound);
        }
        gst_object_unref(playbin);
    }

    // Settles the preroll once; returns what it was before.
    Preroll SetPreroll(Preroll to) {
        Preroll was;
        {
            std::lock_guard<std::mutex> guard(lock);
            was = preroll;
            if (was != Preroll::kWaiting) {
                return was;
            }
            preroll = to;
        }
        changed.notify_all();
        return was;
    }

    // On GStreamer's threads, as every function below.
    static GstBusSyncReply OnBusMessage(GstBus* /*bus*/, GstMessage* message, gpointer data) {
        auto* self = static_cast<Pipeline*>(data);
        switch (GST_MESSAGE_TYPE(message)) {
            case GST_MESSAGE_ERROR:
                // One fault often brings several errors; those after a failed preroll belong
                // to a graph that is already empty.
                if (self->SetPreroll(Preroll::kFailed) == Preroll::kDone) {
                    self->callbacks->failed();
                }
                break;
            case GST_MESSAGE_ASYNC_DONE:
                if (GST_MESSAGE_SRC(message) == GST_OBJECT(self->playbin)) {
                    self->SetPreroll(Preroll::kDone);
                }
                break;
            case GST_MESSAGE_EOS:
                self->callbacks->ended();
                break;
            default:
                break;
        }
        // A message the sync handler drops is the handler's to release.
        gst_message_unref(message);
        return GST_BUS_DROP;
    }

    static GstFlowReturn OnPreroll(GstElement* sink, gpointer data) {
        auto* self = static_cast<Pipeline*>(data);
        GstSample* sample = gst_app_sink_pull_preroll(GST_APP_SINK(sink));
        self->Hold(sample != nullptr ? gst_sample_get_buffer(sample) : nullptr);
        self->Deliver(sample);
        return GST_FLOW_OK;
    }
    static GstFlowReturn OnSample(GstElement* sink, gpointer data) {
        auto* self = static_cast<Pipeline*>(data);
        GstSample* sample = gst_app_sink_pull_sample(GST_APP_SINK(sink));
        // Playing starts with the frame the preroll handed over already: not again.
        if (sample != nullptr && gst_sample_get_buffer(sample) == self->prerolled) {
            gst_sample_unref(sample);
            sample = nullptr;
        }
        self->Hold(nullptr);
        self->Deliver(sample);
        return GST_FLOW_OK;
    }

    void Hold(GstBuffer* buffer) {
        if (buffer != nullptr) {
            gst_buffer_ref(buffer);
        }
        if (prerolled != nullptr) {
            gst_buffer_unref(prerolled);
        }
        prerolled = buffer;
    }

    void Deliver(GstSample* sample) {
        if (sample == nullptr) {
            return;
        }
        GstVideoInfo info;
        GstVideoFrame mapped;
        GstBuffer* buffer = gst_sample_get_buffer(sample);
        GstCaps* caps = gst_sample_get_caps(sample);
        if (buffer != nullptr && caps != nullptr && gst_video_info_from_caps(&info, caps) == TRUE &&
            gst_video_frame_map(&mapped, &info, buffer, GST_MAP_READ) == TRUE) {
            callbacks->frame(
                GST_VIDEO_FRAME_WIDTH(&mapped), GST_VIDEO_FRAME_HEIGHT(&mapped),
                static_cast<const std::uint8_t*>(GST_VIDEO_FRAME_PLANE_DATA(&mapped, 0)),
                static_cast<std::size_t>(GST_VIDEO_FRAME_PLANE_STRIDE(&mapped, 0)));
            gst_video_frame_unmap(&mapped);
        }
        gst_sample_unref(sample);
    }
};

GstPlayer::GstPlayer(Callbacks callbacks) : m_callbacks(std::move(callbacks)) {}

GstPlayer::~GstPlayer() = default;

GstPlayer::Opened GstPlayer::Open(const std::string& path) {
    m_pipeline.reset();
    if (!IsFile(path)) {
        return Opened::kMissing;
    }
    auto pipeline = std::make_unique<Pipeline>();
    pipeline->callbacks = &m_callbacks;
    pipeline->playbin = gst_element_factory_make("playbin", nullptr);
    // Scaled as playbin's video filter, ahead of the queue it puts before the sink: the queue
    // then holds frames of the bound's size, and conversion works on no more than that.
    GstElement* scale =
        gst_parse_bin_from_description("videoscale ! capsfilter name=bound", TRUE, nullptr);
    GstElement* video = gst_parse_bin_from_description(
        "videoconvert ! appsink name=frames caps=video/x-raw,format=BGRx sync=true "
        "max-buffers=1 drop=true qos=true enable-last-sample=false emit-signals=true",
        TRUE, nullptr);
    gchar* uri = gst_filename_to_uri(path.c_str(), nullptr);
    if (pipeline->playbin == nullptr || scale == nullptr || video == nullptr || uri == nullptr) {
        for (GstElement* bin : {scale, video}) {
            if (bin != nullptr) {
                gst_object_unref(bin);
            }
        }
        g_free(uri);
        return Opened::kUnplayable;
    }
    pipeline->bound = gst_bin_get_by_name(GST_BIN(scale), "bound");
    GstCaps* bound = BoundCaps(m_boundWidth, m_boundHeight);
    g_object_set(pipeline->bound, "caps", bound, nullptr);
    gst_caps_unref(bound);
    GstElement* frames = gst_bin_get_by_name(GST_BIN(video), "frames");
    g_object_set(frames, "max-lateness", static_cast<gint64>(kMaxLateness), nullptr);
    g_signal_connect(frames, "new-preroll", G_CALLBACK(&Pipeline::OnPreroll), pipeline.get());
    g_signal_connect(frames, "new-sample", G_CALLBACK(&Pipeline::OnSample), pipeline.get());
    gst_object_unref(frames);
    g_object_set(pipeline->playbin, "uri", uri, "video-filter", scale, "video-sink", video, "flags",
                 kPlayVideoAndAudio, nullptr);
    g_free(uri);
    if (GstElement* audio = MakeAudioSink()) {
        g_object_set(pipeline->playbin, "audio-sink", audio, nullptr);
    }
    GstBus* bus = gst_element_get_bus(pipeline->playbin);
    gst_bus_set_sync_handler(bus, &Pipeline::OnBusMessage, pipeline.get(), nullptr);
    gst_object_unref(bus);

    const GstStateChangeReturn change = gst_element_set_state(pipeline->playbin, GST_STATE_PAUSED);
    if (change == GST_STATE_CHANGE_FAILURE) {
        return Opened::kUnplayable;
    }
    if (change == GST_STATE_CHANGE_ASYNC) {
        Pipeline& p = *pipeline;
        std::unique_lock<std::mutex> guard(p.lock);
        if (!p.changed.wait_for(guard, kPrerollLimit,
                                [&p] { return p.preroll != Pipeline::Preroll::kWaiting; })) {
            return Opened::kTimedOut;
        }
        if (p.preroll == Pipeline::Preroll::kFailed) {
            return Opened::kUnplayable;
        }
    }
    pipeline->SetPreroll(Pipeline::Preroll::kDone);
    m_pipeline = std::move(pipeline);
    return Opened::kPlayable;
}

void GstPlayer::Play() {
    if (m_pipeline) {
        gst_element_set_state(m_pipeline->playbin, GST_STATE_PLAYING);
    }
}

void GstPlayer::Pause() {
    if (m_pipeline) {
        gst_element_set_state(m_pipeline->playbin, GST_STATE_PAUSED);
    }
}

void GstPlayer::BoundFrames(int width, int height) {
    m_boundWidth = width;
    m_boundHeight = height;
    if (m_pipeline) {
        // New caps on the capsfilter renegotiate the scale before the next frame.
        GstCaps* bound = BoundCaps(width, height);
        g_object_set(m_pipeline->bound, "caps", bound, nullptr);
        gst_caps_unref(bound);
    }
}

}  // namespace dshow
