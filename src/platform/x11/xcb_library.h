// The X client library, loaded when the first editor opens rather than linked:
// the plug-in then loads and processes on machines without any X library.
// Every call goes through the table below.
#pragma once

#include <xcb/shm.h>
#include <xcb/xcb.h>

namespace platform::x11 {

#define VELMORIN_XCB_FUNCTIONS(F)         \
    F(xcb_connect)                        \
    F(xcb_disconnect)                     \
    F(xcb_connection_has_error)           \
    F(xcb_get_file_descriptor)            \
    F(xcb_get_setup)                      \
    F(xcb_setup_roots_iterator)           \
    F(xcb_screen_next)                    \
    F(xcb_setup_pixmap_formats)           \
    F(xcb_setup_pixmap_formats_length)    \
    F(xcb_screen_allowed_depths_iterator) \
    F(xcb_depth_next)                     \
    F(xcb_depth_visuals)                  \
    F(xcb_depth_visuals_length)           \
    F(xcb_generate_id)                    \
    F(xcb_get_maximum_request_length)     \
    F(xcb_flush)                          \
    F(xcb_poll_for_event)                 \
    F(xcb_request_check)                  \
    F(xcb_get_extension_data)             \
    F(xcb_create_window_checked)          \
    F(xcb_destroy_window)                 \
    F(xcb_map_window)                     \
    F(xcb_unmap_window)                   \
    F(xcb_configure_window)               \
    F(xcb_change_window_attributes)       \
    F(xcb_clear_area)                     \
    F(xcb_get_geometry)                   \
    F(xcb_get_geometry_reply)             \
    F(xcb_change_property)                \
    F(xcb_get_property)                   \
    F(xcb_get_property_reply)             \
    F(xcb_get_property_value)             \
    F(xcb_get_property_value_length)      \
    F(xcb_create_gc)                      \
    F(xcb_free_gc)                        \
    F(xcb_put_image)                      \
    F(xcb_intern_atom)                    \
    F(xcb_intern_atom_reply)              \
    F(xcb_translate_coordinates)          \
    F(xcb_translate_coordinates_reply)    \
    F(xcb_get_input_focus)                \
    F(xcb_get_input_focus_reply)          \
    F(xcb_set_input_focus)                \
    F(xcb_grab_pointer)                   \
    F(xcb_grab_pointer_reply)             \
    F(xcb_ungrab_pointer)                 \
    F(xcb_grab_keyboard)                  \
    F(xcb_grab_keyboard_reply)            \
    F(xcb_ungrab_keyboard)                \
    F(xcb_get_keyboard_mapping)           \
    F(xcb_get_keyboard_mapping_reply)     \
    F(xcb_get_keyboard_mapping_keysyms)   \
    F(xcb_query_tree)                     \
    F(xcb_query_tree_reply)

#define VELMORIN_XCB_SHM_FUNCTIONS(F) \
    F(xcb_shm_query_version)          \
    F(xcb_shm_query_version_reply)    \
    F(xcb_shm_attach_checked)         \
    F(xcb_shm_detach)                 \
    F(xcb_shm_put_image)

struct XcbLibrary {
#define VELMORIN_XCB_POINTER(name) decltype(&::name) name = nullptr;
    VELMORIN_XCB_FUNCTIONS(VELMORIN_XCB_POINTER)
    VELMORIN_XCB_SHM_FUNCTIONS(VELMORIN_XCB_POINTER)
#undef VELMORIN_XCB_POINTER
    xcb_extension_t* shmExtension = nullptr;

    // True when the shared-memory calls were found as well.
    bool hasShm() const {
        return shmExtension != nullptr;
    }

    // The library of the process, loaded at the first call; null when libxcb
    // is not installed. Never unloaded: a host may keep calling into it.
    static const XcbLibrary* get();
};

}  // namespace platform::x11
