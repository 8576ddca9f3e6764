#pragma once
// IUnknown for every COM object of the software devices. The log shows each QueryInterface
// (with the IID asked for) and the count AddRef and Release leave, an armed failure can make
// QueryInterface fail, and the module counts the object among the live ones while it exists.
//
// `Object` is the class deriving from this: it names itself in the log with id() (0 for a
// root object) and keeps its reference count in refs(), so an effect's count stays where the
// control API reports it. `NullOut` answers a null out-pointer (the two APIs differ there);
// `Answers` are the interfaces besides IUnknown the object answers as.

#include "sim/common/callscope.h"
#include "sim/common/control.h"
#include "sim/common/results.h"

template <class Object, class Interface, HRESULT NullOut, const IID&... Answers>
class SimUnknown : public Interface {
public:
    SimUnknown(const SimUnknown&) = delete;
    SimUnknown& operator=(const SimUnknown&) = delete;

    void hold() { ++self().refs(); }
    // The last reference deletes the object.
    ULONG drop() {
        const ULONG left = --self().refs();
        if (left == 0)
            delete &self();
        return left;
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
        SimCallScope c(sim_module(), "QueryInterface", self().id());
        c.call.guid = riid;
        HRESULT hr;
        if (object)
            *object = nullptr;
        if (c.injected(&hr))
            return c.done(hr);
        if (!object)
            return c.done(NullOut);
        if (!IsEqualGUID(riid, IID_IUnknown) && !(IsEqualGUID(riid, Answers) || ...))
            return c.done(SIM_E_NOINTERFACE);
        hold();
        *object = static_cast<Interface*>(this);
        return c.done(S_OK);
    }
    ULONG STDMETHODCALLTYPE AddRef() override {
        hold();
        sim_log_refcount(sim_module(), "AddRef", self().id(), self().refs());
        return self().refs();
    }
    ULONG STDMETHODCALLTYPE Release() override {
        sim_log_refcount(sim_module(), "Release", self().id(), self().refs() - 1);
        return drop();
    }

protected:
    SimUnknown() { sim_module().object_created(); }
    ~SimUnknown() { sim_module().object_destroyed(); }

private:
    Object& self() { return *static_cast<Object*>(this); }
};
