// The module's C entry points, which studio/web/api.js wraps as window.tklStudio. Texts cross
// as UTF-8, bytes as a pointer and a length; what a function returns stays valid until the
// next call of any of them. Nothing throws out of here.
#include "studio/glue/studiosession.h"

#include "tools/tkl-play/effectkindnames.h"
#include "tkl/platform/linkedmodules.h"
#include "tools/tvx/projectbuild.h"

#include <nlohmann/json.hpp>

#include <emscripten/emscripten.h>

#include <cstdlib>
#include <memory>
#include <new>

extern "C" const TklLinkedExport tactra_linked_exports[];

namespace {

std::unique_ptr<studio::StudioSession> g_session;
std::string g_result;
std::string g_error;

// The session, made at the first call; null (g_error says why) when it cannot be.
studio::StudioSession* session() {
    if (g_session)
        return g_session->ready() ? g_session.get() : nullptr;
    static bool linked = tkl_platform_link_module("tactra.dll", tactra_linked_exports) != FALSE;
    if (!linked) {
        g_error = "the software force mouse could not be registered";
        return nullptr;
    }
    g_session.reset(new (std::nothrow) studio::StudioSession);
    if (!g_session) {
        g_error = "out of memory";
        return nullptr;
    }
    if (!g_session->ready()) {
        g_error = g_session->error();
        return nullptr;
    }
    return g_session.get();
}

// Runs `body` with the session, turning a failure or an exception into null and g_error.
template <class Body>
const char* with_session(Body body) {
    try {
        studio::StudioSession* s = session();
        if (!s)
            return nullptr;
        if (!body(*s)) {
            g_error = s->error();
            return nullptr;
        }
        return g_result.c_str();
    } catch (const std::exception& e) {
        g_error = e.what();
    } catch (...) {
        g_error = "internal failure";
    }
    return nullptr;
}

std::string objects_json(studio::StudioSession& s) {
    nlohmann::json list = nlohmann::json::array();
    for (const play::ObjectInfo& object : s.objects()) {
        nlohmann::json effects = nlohmann::json::array();
        for (const GUID& kind : object.kinds)
            effects.push_back({{"kind", play::kind_name(kind)},
                               {"positional", play::is_position_dependent(kind)}});
        list.push_back({{"name", object.name}, {"index", object.index}, {"effects", effects},
                        {"emptyProfile", object.emptyProfile}});
    }
    return list.dump();
}

}  // namespace

extern "C" {

// Memory for what the page hands in.
EMSCRIPTEN_KEEPALIVE void* tkl_studio_alloc(int size) { return std::malloc(size > 0 ? size : 1); }
EMSCRIPTEN_KEEPALIVE void tkl_studio_release(void* block) { std::free(block); }

// The last failure's text.
EMSCRIPTEN_KEEPALIVE const char* tkl_studio_error() { return g_error.c_str(); }

// Opens the project in `bytes`; the objects as JSON, or null keeping the project shown.
EMSCRIPTEN_KEEPALIVE const char* tkl_studio_open(const char* bytes, int size, const char* label) {
    return with_session([&](studio::StudioSession& s) {
        if (!s.open(std::string(bytes, size > 0 ? size_t(size) : 0), label ? label : "project"))
            return false;
        g_result = objects_json(s);
        return true;
    });
}

// The objects of the open project as JSON.
EMSCRIPTEN_KEEPALIVE const char* tkl_studio_objects() {
    return with_session([](studio::StudioSession& s) {
        g_result = objects_json(s);
        return true;
    });
}

// tkl-play's samples CSV of the object along a path; null when refused.
EMSCRIPTEN_KEEPALIVE const char* tkl_studio_play_csv(const char* object, const char* shape,
                                                     double duration, double rate) {
    return with_session([&](studio::StudioSession& s) {
        studio::PathRequest path;
        path.shape = shape ? shape : "";
        path.duration = duration;
        path.rate = rate;
        return s.play_csv(object ? object : "", path, g_result);
    });
}

// tkl-play's field CSV of the object at that map step; null when refused.
EMSCRIPTEN_KEEPALIVE const char* tkl_studio_field_csv(const char* object, int step) {
    return with_session([&](studio::StudioSession& s) {
        return s.field_csv(object ? object : "", step > 0 ? unsigned(step) : 0, g_result);
    });
}

// The project schema the descriptions are checked against (JSON text).
EMSCRIPTEN_KEEPALIVE const char* tkl_studio_schema() { return tvx::project_schema_text(); }

// Why the last play gave no samples; empty when it played.
EMSCRIPTEN_KEEPALIVE const char* tkl_studio_note() {
    return with_session([](studio::StudioSession& s) {
        g_result = s.note();
        return true;
    });
}

// The project as JSON text (tvx dump's form).
EMSCRIPTEN_KEEPALIVE const char* tkl_studio_save_json() {
    return with_session([](studio::StudioSession& s) {
        g_result = s.json_text();
        return true;
    });
}

// The project bytes (tvx build's), their count in *size.
EMSCRIPTEN_KEEPALIVE const char* tkl_studio_save_tvx(int* size) {
    return with_session([&](studio::StudioSession& s) {
        g_result = s.project_bytes();
        *size = int(g_result.size());
        return true;
    });
}

// The force at a point as "fx,fy,playing"; null when the object does not play.
EMSCRIPTEN_KEEPALIVE const char* tkl_studio_probe(const char* object, int x, int y, int vx,
                                                  int vy) {
    return with_session([&](studio::StudioSession& s) {
        studio::Probe p;
        if (!s.probe(object ? object : "", x, y, vx, vy, p))
            return false;
        g_result = std::to_string(p.fx) + "," + std::to_string(p.fy) + "," +
                   std::to_string(p.playing);
        return true;
    });
}

}  // extern "C"
