// Objects, exceptions and class records.
#pragma once

#include <exception>
#include <memory>
#include <stdexcept>
#include <string>
#include <typeinfo>
#include <utility>
#include <vector>

namespace fw {

class Object : public std::enable_shared_from_this<Object> {
public:
    virtual ~Object();
    // The name under which the object's class is registered ("Window1.Window1"
    // for a window class, "Timer" for a framework class).
    virtual std::string ClassName() const;
};
using ObjectRef = std::shared_ptr<Object>;

class RuntimeException : public std::runtime_error {
public:
    explicit RuntimeException(const std::string& message = "");
    virtual std::string ExceptionName() const { return "RuntimeException"; }
};
#define FW_EXCEPTION(Name)                                           \
    class Name : public RuntimeException {                           \
    public:                                                          \
        using RuntimeException::RuntimeException;                    \
        std::string ExceptionName() const override { return #Name; } \
    }
FW_EXCEPTION(NilObjectException);
FW_EXCEPTION(ThreadAccessingUIException);
FW_EXCEPTION(IllegalCastException);
FW_EXCEPTION(OutOfBoundsException);
FW_EXCEPTION(UnsupportedFormatException);  // a malformed design-time property list
FW_EXCEPTION(KeyNotFoundException);        // an unknown property name
FW_EXCEPTION(TypeMismatchException);
FW_EXCEPTION(IOException);
#undef FW_EXCEPTION

// A RuntimeException held as an object: what the exception helper gives back
// for one, from which the default handling names it.
class RuntimeExceptionObject : public Object {
public:
    RuntimeExceptionObject(std::exception_ptr e, std::string name)
        : exception(std::move(e)), exceptionName(std::move(name)) {}
    std::exception_ptr exception;
    std::string exceptionName;
    std::string ClassName() const override { return "RuntimeException"; }
};

// Raises NilObjectException for a nil reference, else returns it.
template <class T>
const std::shared_ptr<T>& NotNil(const std::shared_ptr<T>& p) {
    if (!p) throw NilObjectException("nil object");
    return p;
}

// A checked cast: nil stays nil, a mismatch raises IllegalCastException.
template <class T, class U>
std::shared_ptr<T> RuntimeCheckCast(const std::shared_ptr<U>& p) {
    if (!p) return nullptr;
    auto t = std::dynamic_pointer_cast<T>(p);
    if (!t) throw IllegalCastException(std::string("cannot cast to ") + typeid(T).name());
    return t;
}

// Light class records: a name, a superclass and the member names.
struct ClassRecord {
    std::string name;
    std::string superclass;
    std::vector<std::string> members;
};
// Defines the class once; returns false (and changes nothing) when it exists.
bool RuntimeDefineClass(const ClassRecord& record);
// The record, or nullptr when the class is not defined.
const ClassRecord* RuntimeGetClass(const std::string& name);

// Makes a new object (not yet constructed: the caller runs its Constructor).
template <class T, class... A>
std::shared_ptr<T> RuntimeNewObject(A&&... args) {
    return std::make_shared<T>(std::forward<A>(args)...);
}

// Asserts the main thread for a user-interface operation.
void CheckMainThread();

}  // namespace fw
