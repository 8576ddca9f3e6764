#include "sim/common/module.h"

#include "sim/common/effectcore.h"

SimModule::SimModule(const SimModuleConfig& config) : config_(config), capacity_(config.defaultCapacity) {
    attach(&config_.defaultInstance);
}

void SimModule::reset() {
    detach_all();
    log.clear();
    faults.clear();
    capacity_ = config_.defaultCapacity;
    current_ = -1;
    now_ = 0;
    pointer_ = SimPointer();
    while (first_)
        unlist_effect(first_);
    attach(&config_.defaultInstance);
}

int SimModule::attach(const GUID* instance) {
    GUID id;
    if (instance) {
        id = *instance;
        if (find(id) >= 0)
            return -1;
    } else {
        do {
            id = config_.defaultInstance;
            id.Data1 = config_.instanceSeed + ++freshSeq_;
        } while (find(id) >= 0);
    }
    for (int i = 0; i < SIM_MAX_DEVICES; ++i) {
        if (devices_[i].present)
            continue;
        SimAttachedDevice& d = devices_[i];
        d = SimAttachedDevice();
        d.present = true;
        d.generation = ++generationSeq_;
        d.instance = id;
        if (config_.initProperties)
            config_.initProperties(d);
        order_[i] = ++attachSeq_;
        return i;
    }
    return -1;
}

void SimModule::detach_all() {
    for (SimAttachedDevice& d : devices_) {
        d.present = false;
        d.generation = ++generationSeq_;
    }
}

unsigned SimModule::device_count() const {
    unsigned n = 0;
    for (const SimAttachedDevice& d : devices_)
        n += d.present ? 1 : 0;
    return n;
}

int SimModule::find(const GUID& instance) const {
    for (int i = 0; i < SIM_MAX_DEVICES; ++i)
        if (devices_[i].present && IsEqualGUID(devices_[i].instance, instance))
            return i;
    return -1;
}

int SimModule::nth_present(unsigned n) const {
    // Attachment order, not slot order: a slot freed and reused comes last.
    unsigned after = 0;
    for (unsigned k = 0; k <= n; ++k) {
        int best = -1;
        for (int i = 0; i < SIM_MAX_DEVICES; ++i)
            if (devices_[i].present && order_[i] > after && (best < 0 || order_[i] < order_[best]))
                best = i;
        if (best < 0)
            return -1;
        if (k == n)
            return best;
        after = order_[best];
    }
    return -1;
}

bool SimModule::still_attached(int index, unsigned generation) const {
    return index >= 0 && index < SIM_MAX_DEVICES && devices_[index].present &&
           devices_[index].generation == generation;
}

unsigned SimModule::present_instances(GUID (&out)[SIM_MAX_DEVICES]) const {
    unsigned count = 0;
    for (int slot; (slot = nth_present(count)) >= 0;)
        out[count++] = devices_[slot].instance;
    return count;
}

int SimModule::current_device() const {
    if (current_ >= 0 && devices_[current_].present)
        return current_;
    return nth_present(0);
}

void SimModule::list_effect(SimEffectCore* effect) {
    if (effect->listed_)
        return;
    effect->listed_ = true;
    effect->listPrev_ = last_;
    effect->listNext_ = nullptr;
    if (last_)
        last_->listNext_ = effect;
    else
        first_ = effect;
    last_ = effect;
}

void SimModule::unlist_effect(SimEffectCore* effect) {
    if (!effect->listed_)
        return;
    if (effect->listPrev_)
        effect->listPrev_->listNext_ = effect->listNext_;
    else
        first_ = effect->listNext_;
    if (effect->listNext_)
        effect->listNext_->listPrev_ = effect->listPrev_;
    else
        last_ = effect->listPrev_;
    effect->listed_ = false;
    effect->listPrev_ = effect->listNext_ = nullptr;
}

unsigned SimModule::effect_count() const {
    unsigned n = 0;
    for (SimEffectCore* e = first_; e; e = e->listNext_)
        ++n;
    return n;
}

SimEffectCore* SimModule::effect_at(unsigned index) const {
    SimEffectCore* e = first_;
    while (e && index--)
        e = e->listNext_;
    return e;
}
