#pragma once
// The state of one software device module: attached devices with their properties, the call
// log, armed failures, the effect capacity, object ids and the live objects. Each module owns
// one instance (sim_module()), which lives as long as the module is loaded.

#include "sim/common/calllog.h"
#include "sim/common/faults.h"
#include "sim/render/rendereffect.h"
#include "sim/render/renderpointer.h"

#include <cstdint>

class SimEffectCore;

#define SIM_MAX_DEVICES 8
#define SIM_MAX_PROPERTY 16

// One attached device: the hardware behind device objects. Properties belong to the hardware,
// so a second device object opened on it sees what the first set.
struct SimAttachedDevice {
    bool present;
    unsigned generation;  // changes when the slot is detached or reused
    GUID instance;
    DWORD props[SIM_MAX_PROPERTY][2];
};

// What differs between the two modules.
struct SimModuleConfig {
    GUID defaultInstance;    // the device attached at load and by reset
    DWORD instanceSeed;      // first group of fresh instance GUIDs
    unsigned defaultCapacity;
    void (*initProperties)(SimAttachedDevice& device);
    // How many values a property has (0: the device has no such property).
    unsigned (*propertyValues)(DWORD number);
    // The force law of an effect kind the device accepts.
    SimRenderKind (*renderKind)(const GUID& kind);
    // The scale conditions read the pointer on.
    SimRenderScale scale;
    // The property holding the screen's width and height (0: the device reads the system's).
    DWORD screenProperty;
};

class SimModule {
public:
    explicit SimModule(const SimModuleConfig& config);

    SimCallLog log;
    SimFaults faults;

    void reset();
    // Attaches a device (null: a fresh instance GUID); its index, or -1 when full or present.
    int attach(const GUID* instance);
    void detach_all();
    unsigned device_count() const;
    // The slot of an attached device by instance GUID, or -1.
    int find(const GUID& instance) const;
    // The attached device at position `n` in attachment order, or -1.
    int nth_present(unsigned n) const;
    // Copies the instance GUIDs of the attached devices, in attachment order; their number.
    // Enumerations take this copy first: their callbacks may attach or open devices.
    unsigned present_instances(GUID (&out)[SIM_MAX_DEVICES]) const;
    SimAttachedDevice& slot(int index) { return devices_[index]; }
    const SimAttachedDevice& slot(int index) const { return devices_[index]; }
    // True while the slot still holds the device a device object was opened on.
    bool still_attached(int index, unsigned generation) const;

    unsigned capacity() const { return capacity_; }
    void set_capacity(unsigned effects) { capacity_ = effects; }

    unsigned next_id() { return nextId_++; }
    void object_created() { ++live_; }
    void object_destroyed() { --live_; }
    unsigned live_objects() const { return live_; }

    // The effects that effect_count/effect_get report, in creation order.
    void list_effect(SimEffectCore* effect);
    void unlist_effect(SimEffectCore* effect);
    unsigned effect_count() const;
    SimEffectCore* effect_at(unsigned index) const;

    // The device whose properties get_property reads: the one opened last.
    void set_current_device(int index) { current_ = index; }
    int current_device() const;
    unsigned property_values(DWORD number) const {
        return number < SIM_MAX_PROPERTY && config_.propertyValues ? config_.propertyValues(number) : 0;
    }
    const SimModuleConfig& config() const { return config_; }

    // The virtual clock in µs: only the control API advances it; reset sets it to 0.
    uint64_t now() const { return now_; }
    void advance_clock(DWORD microseconds) { now_ += microseconds; }
    // The pointer as last set (its position is the platform cursor's where there is one).
    const SimPointer& pointer() const { return pointer_; }
    void set_pointer(const SimPointer& pointer) { pointer_ = pointer; }
    // The effects in creation order, for walking them all.
    SimEffectCore* first_effect() const { return first_; }

private:
    SimModuleConfig config_;
    SimAttachedDevice devices_[SIM_MAX_DEVICES] = {};
    unsigned order_[SIM_MAX_DEVICES] = {};  // attachment sequence of each slot
    unsigned attachSeq_ = 0;
    unsigned generationSeq_ = 0;
    DWORD freshSeq_ = 0;
    unsigned capacity_;
    unsigned nextId_ = 1;
    unsigned live_ = 0;
    int current_ = -1;
    uint64_t now_ = 0;
    SimPointer pointer_ = {};
    SimEffectCore* first_ = nullptr;
    SimEffectCore* last_ = nullptr;
};
