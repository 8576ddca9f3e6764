#pragma once
// The projects suite's helpers: the project files built from data/ (and the sample projects),
// their records through the project library, and the device fixture of the effects suite.

#include "tests/effects/devicefixture.h"

#include <string>
#include <vector>

namespace prtest {

// A project file built from data/ by its stem ("play"), as the test program opens it.
std::string project_path(const char* stem);
// A sample project file by its stem ("showcase").
std::string sample_path(const char* stem);
// The file's bytes; empty when it can't be read.
std::vector<unsigned char> project_bytes(const char* stem);

// Records of one object of a built project, given back when the holder ends.
class Records {
public:
    Records(const char* stem, const char* object);
    ~Records();
    Records(const Records&) = delete;
    Records& operator=(const Records&) = delete;

    TVXEffect** list() const { return list_; }
    int count() const { return count_; }

private:
    HTVXPROJECT project_ = nullptr;
    TVXEffect** list_ = nullptr;
    int count_ = 0;
};

// A compound made directly: opens the constructor and the filling operations to the tests.
class TestCompound : public CTactraCompoundEffect {
public:
    TestCompound(TVXEffect** records, LONG count) : CTactraCompoundEffect(records, count) {}
    using CTactraCompoundEffect::initialize;
    using CTactraCompoundEffect::set_contained_effect;
    using CTactraCompoundEffect::set_name;
};

// A constant force that counts its destructions.
class CountedEffect : public CTactraConstant {
public:
    explicit CountedEffect(int& destroyed) : destroyed_(destroyed) {}
    ~CountedEffect() override { ++destroyed_; }

private:
    int& destroyed_;
};

class ProjectDevices : public fxtest::Devices {
protected:
    // An effect the device created: its id and its kind as the device names it
    // (DirectInput's GUID there).
    struct Created {
        unsigned id;
        GUID kind;
    };
    // The effects the device created since the log was cleared, in order.
    std::vector<Created> created();
    // Ids of the device-side effects started since the log was cleared, in order.
    std::vector<unsigned> started();
    // The device's live effects.
    unsigned live_effects() { return sim().effect_count(); }
    // Ids of the device-side effects currently playing.
    std::vector<unsigned> playing();
};

}  // namespace prtest

