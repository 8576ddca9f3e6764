#pragma once
// An internal reference on a software device object (hold/drop, not logged as calls). Declared
// before the members that use the object, it outlives them: the object is dropped last.

template <class T>
class SimHold {
public:
    explicit SimHold(T& object) : object_(object) { object_.hold(); }
    ~SimHold() { object_.drop(); }
    SimHold(const SimHold&) = delete;
    SimHold& operator=(const SimHold&) = delete;
    T& operator*() const { return object_; }
    T* operator->() const { return &object_; }

private:
    T& object_;
};
