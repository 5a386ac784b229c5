#include "media/gst_support.h"

namespace kinoval::media::gst {

namespace {

// The program keeps no log: the warnings GStreamer's elements print about a damaged file or a busy camera
// help no one on the terminal (the back-ends report them in their own words). GST_DEBUG keeps them for a
// developer.
void DropLibraryChatter(const gchar*, GLogLevelFlags, const gchar*, gpointer)
{
}

} // namespace

bool InitGStreamer()
{
    static const bool ok = [] {
        if (g_getenv("GST_DEBUG") == nullptr)
            g_log_set_default_handler(DropLibraryChatter, nullptr);
        GError* error = nullptr;
        bool done = gst_init_check(nullptr, nullptr, &error);
        if (error)
            g_error_free(error);
        return done;
    }();
    return ok;
}

} // namespace kinoval::media::gst
