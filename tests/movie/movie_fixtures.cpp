#include "tests/movie/movie_fixtures.h"

#include <gst/app/gstappsrc.h>
#include <gst/gst.h>

#include <sys/stat.h>

#include <cmath>
#include <cstdlib>
#include <cstring>

namespace movie_fixtures {
namespace {

constexpr int kFirstLevel = 40;
constexpr int kLevelStep = 4;
// Lossy codecs move a level a little; half a step still names one frame.
constexpr int kLevelTolerance = 2;
// A file smaller than this holds headers and hardly a picture.
constexpr long kLeastBytes = 4096;

int GreyLevel(int index) {
    return kFirstLevel + kLevelStep * index;
}

// Which package brings an element, for the message when it is missing.
const char* PackageOf(const std::string& element) {
    if (element.rfind("av", 0) == 0) {
        return "gstreamer1.0-libav";
    }
    if (element == "x264enc" || element == "asfmux") {
        return "gstreamer1.0-plugins-ugly";
    }
    if (element == "mpeg2enc") {
        return "gstreamer1.0-plugins-bad";
    }
    if (element == "filesink") {
        return "gstreamer1.0 itself";
    }
    if (element == "jpegenc" || element == "avimux" || element == "mp4mux") {
        return "gstreamer1.0-plugins-good";
    }
    return "gstreamer1.0-plugins-base";
}

std::string MissingElement(const std::vector<std::string>& elements) {
    for (const std::string& element : elements) {
        GstElementFactory* factory = gst_element_factory_find(element.c_str());
        if (factory == nullptr) {
            return "the GStreamer element " + element + " is missing (install " +
                   PackageOf(element) + ")";
        }
        gst_object_unref(factory);
    }
    return "";
}

GstBuffer* GreyFrame(int index, int fps) {
    const std::size_t luma = static_cast<std::size_t>(kWidth) * kHeight;
    const std::size_t chroma = luma / 4;
    GstBuffer* buffer = gst_buffer_new_allocate(nullptr, luma + 2 * chroma, nullptr);
    GstMapInfo map;
    gst_buffer_map(buffer, &map, GST_MAP_WRITE);
    std::memset(map.data, GreyLevel(index), luma);
    std::memset(map.data + luma, 128, 2 * chroma);
    gst_buffer_unmap(buffer, &map);
    GST_BUFFER_PTS(buffer) =
        gst_util_uint64_scale_int(static_cast<guint64>(index), GST_SECOND, fps);
    GST_BUFFER_DURATION(buffer) = gst_util_uint64_scale_int(1, GST_SECOND, fps);
    return buffer;
}

// Runs the pipeline to its end; the error it reported, if any.
std::string RunToEnd(GstElement* pipeline) {
    std::string error;
    GstBus* bus = gst_element_get_bus(pipeline);
    GstMessage* message = gst_bus_timed_pop_filtered(
        bus, 60 * GST_SECOND, static_cast<GstMessageType>(GST_MESSAGE_EOS | GST_MESSAGE_ERROR));
    if (message == nullptr) {
        error = "the encoding never ended";
    } else if (GST_MESSAGE_TYPE(message) == GST_MESSAGE_ERROR) {
        GError* gerror = nullptr;
        gst_message_parse_error(message, &gerror, nullptr);
        error = gerror != nullptr ? gerror->message : "an error";
        g_clear_error(&gerror);
    }
    if (message != nullptr) {
        gst_message_unref(message);
    }
    gst_object_unref(bus);
    return error;
}

}  // namespace

const std::vector<MovieFormat>& AllFormats() {
    static const std::vector<MovieFormat> formats = {
        // JPEG codes luma over the full 0-255 range.
        {"AVI/MJPEG", ".avi", "jpegenc", "avimux", 25, false, true},
        // At their default bit rates these drift by whole levels from frame to frame.
        {"AVI/MPEG-4", ".avi", "avenc_mpeg4 pass=quant quantizer=2", "avimux", 25, false, false},
        {"AVI/MS-MPEG4", ".avi", "avenc_msmpeg4 pass=quant quantizer=2", "avimux", 30, false,
         false},
        {"WMV", ".wmv", "avenc_wmv2 pass=quant quantizer=2", "asfmux", 25, false, false},
        // mpeg2enc takes only the standard rates.
        {"MPEG-1", ".mpg", "mpeg2enc format=0", "avmux_mpeg", 25, false, false},
        {"Ogg/Theora", ".ogv", "theoraenc", "oggmux", 30, false, false},
        {"MP4/H.264+AAC", ".mp4", "x264enc", "mp4mux", 25, true, false},
    };
    return formats;
}

const MovieFormat& AviMjpeg() {
    return AllFormats().front();
}

std::string StartGStreamer() {
    GError* gerror = nullptr;
    if (gst_init_check(nullptr, nullptr, &gerror) == TRUE) {
        return "";
    }
    std::string error = gerror != nullptr ? gerror->message : "GStreamer does not start";
    g_clear_error(&gerror);
    return error;
}

std::string WriteMovie(const MovieFormat& format, int frames, const std::string& path) {
    if (frames < 1 || frames > kMostFrames) {
        return "no movie of " + std::to_string(frames) + " frames can be told apart";
    }
    if (std::string error = StartGStreamer(); !error.empty()) {
        return error;
    }
    GError* gerror = nullptr;
    const std::string encoder =
        std::string(format.encoder).substr(0, std::strcspn(format.encoder, " "));
    std::vector<std::string> elements = {"appsrc", "videoconvert", encoder, format.muxer,
                                         "filesink"};
    if (format.sound) {
        elements.insert(elements.end(), {"audiotestsrc", "audioconvert", "avenc_aac"});
    }
    if (std::string missing = MissingElement(elements); !missing.empty()) {
        return std::string(format.name) + ": " + missing;
    }

    const std::string caps = "video/x-raw,format=I420,width=" + std::to_string(kWidth) +
                             ",height=" + std::to_string(kHeight) +
                             ",framerate=" + std::to_string(format.fps) + "/1";
    std::string description = "appsrc name=frames format=time caps=" + caps + " ! videoconvert ! " +
                              format.encoder + " ! " + format.muxer +
                              " name=mux ! filesink location=\"" + path + "\"";
    if (format.sound) {
        // 10 ms buffers, as long as the pictures.
        const long buffers = 100L * frames / format.fps;
        description += " audiotestsrc num-buffers=" + std::to_string(buffers) +
                       " samplesperbuffer=441 volume=0.2 ! audio/x-raw,rate=44100,channels=2 ! "
                       "audioconvert ! avenc_aac ! mux.";
    }
    GstElement* pipeline = gst_parse_launch(description.c_str(), &gerror);
    if (pipeline == nullptr || gerror != nullptr) {
        std::string error =
            std::string(format.name) + ": " + (gerror != nullptr ? gerror->message : "no pipeline");
        g_clear_error(&gerror);
        if (pipeline != nullptr) {
            gst_object_unref(pipeline);
        }
        return error;
    }
    GstElement* source = gst_bin_get_by_name(GST_BIN(pipeline), "frames");
    std::string error;
    if (gst_element_set_state(pipeline, GST_STATE_PLAYING) == GST_STATE_CHANGE_FAILURE) {
        error = "the encoding does not start";
    } else {
        for (int i = 0; i < frames; ++i) {
            gst_app_src_push_buffer(GST_APP_SRC(source), GreyFrame(i, format.fps));
        }
        gst_app_src_end_of_stream(GST_APP_SRC(source));
        error = RunToEnd(pipeline);
    }
    gst_element_set_state(pipeline, GST_STATE_NULL);
    gst_object_unref(source);
    gst_object_unref(pipeline);
    if (!error.empty()) {
        return std::string(format.name) + ": " + error;
    }
    struct stat st {};
    if (stat(path.c_str(), &st) != 0 || st.st_size < kLeastBytes) {
        return std::string(format.name) + ": the movie written is too small to hold pictures";
    }
    return "";
}

int FrameShown(std::uint32_t rgb, const MovieFormat& format) {
    const int red = static_cast<int>((rgb >> 16) & 0xFF);
    const int green = static_cast<int>((rgb >> 8) & 0xFF);
    const int blue = static_cast<int>(rgb & 0xFF);
    if (std::abs(red - green) > kLevelTolerance || std::abs(blue - green) > kLevelTolerance) {
        return -1;
    }
    // Where GStreamer puts a video-range grey (measured): mid-grey stays, the rest widens by
    // 255/219.
    const double luma = format.fullRange ? green : 128.0 + (green - 128) * 219.0 / 255.0;
    const int index = static_cast<int>(std::lround((luma - kFirstLevel) / kLevelStep));
    // Half a level more for the rounding to 8-bit RGB.
    if (index < 0 || index >= kMostFrames ||
        std::abs(luma - GreyLevel(index)) > kLevelTolerance + 0.5) {
        return -1;
    }
    return index;
}

}  // namespace movie_fixtures
