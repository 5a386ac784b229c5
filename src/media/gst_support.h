#pragma once
// What the GStreamer back-ends share: the library's one initialisation, and the deleters that let
// std::unique_ptr hold its handles. Only media's sources include this; public headers name no GStreamer.

#include <gst/gst.h>

namespace kinoval::media::gst {

// An element or pipeline: stopped before it is released, so that its threads end first.
struct TElementFree {
    void operator()(GstElement* e) const
    {
        gst_element_set_state(e, GST_STATE_NULL);
        gst_object_unref(e);
    }
};
struct TObjectFree {
    void operator()(gpointer o) const { gst_object_unref(o); }
};
struct TCapsFree {
    void operator()(GstCaps* c) const { gst_caps_unref(c); }
};

// Initialises GStreamer once for the program; false when it cannot be.
bool InitGStreamer();

} // namespace kinoval::media::gst
