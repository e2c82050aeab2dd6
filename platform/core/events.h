// Delegates, events by name, and the default handling of an exception that
// escapes a handler.
#pragma once

#include "platform/core/objects.h"

#include <any>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <type_traits>
#include <typeinfo>
#include <vector>

namespace fw {

// A delegate is a callable. Made on a method and a target; with weak = 1 it
// does not keep the target alive (a call after the target died does nothing).
template <class T, class R, class... A>
std::function<R(A...)> RuntimeCreateDelegate(R (T::*method)(A...), const std::shared_ptr<T>& target,
                                             const std::string& /*params*/, int weak) {
    if (weak == 1) {
        std::weak_ptr<T> w = target;
        return [w, method](A... args) -> R {
            if (auto t = w.lock()) return ((*t).*method)(args...);
            if constexpr (!std::is_void_v<R>) return R{};
        };
    }
    std::shared_ptr<T> s = target;
    return [s, method](A... args) -> R { return ((*s).*method)(args...); };
}
// On a plain routine.
template <class R, class... A>
std::function<R(A...)> RuntimeCreateDelegate(R (*routine)(A...), const std::string& /*params*/) {
    return std::function<R(A...)>(routine);
}

// Events of a framework object, by name. A handler is a std::function whose
// parameters match the event's (the raiser's types); a mismatch raises
// TypeMismatchException when the handler is added, and when the event is
// raised with other types (no handler would match it).
class EventSource : public Object {
public:
    template <class... A>
    void AddHandler(const std::string& event, std::function<void(A...)> handler) {
        CheckSignature(event, typeid(std::function<void(A...)>));
        handlers_[event].push_back(std::make_shared<const std::any>(std::move(handler)));
    }

protected:
    // Raises the event: every handler in the order added. What escapes a
    // handler reaches the framework's default handling.
    template <class... A>
    void Raise(const std::string& event, A... args) {
        CheckSignature(event, typeid(std::function<void(A...)>));
        auto it = handlers_.find(event);
        if (it == handlers_.end()) return;
        // A handler may add handlers (the list may grow and move), so each is
        // held while it runs; nothing is copied on the 10 ms path.
        const size_t count = it->second.size();
        for (size_t i = 0; i < count; ++i) {
            std::shared_ptr<const std::any> held = it->second[i];
            // The signature was checked when the handler was added and above.
            const auto& f = *std::any_cast<std::function<void(A...)>>(held.get());
            Dispatch([&] { f(args...); });
        }
    }
    // Subclasses declare which std::function type each event takes.
    virtual const std::type_info* EventSignature(const std::string& event) const;
    static void Dispatch(const std::function<void()>& fn);

private:
    void CheckSignature(const std::string& event, const std::type_info& given) const;
    std::map<std::string, std::vector<std::shared_ptr<const std::any>>> handlers_;
};

template <class... A>
void RuntimeAddEventHandler(const std::shared_ptr<EventSource>& source, const std::string& event,
                            std::function<void(A...)> handler) {
    NotNil(source)->AddHandler(event, std::move(handler));
}

// Runs fn with the framework's default handling of an exception that escapes
// it: the message "An exception of class <name> was not handled. The
// application must shut down.", then an orderly quit with status 1. Only the
// first such exception of a run shows a message; later ones are dropped.
void RunHandler(const std::function<void()>& fn);
// What StartApplication hands an exception that left the start sequence.
void RuntimeUnhandledException(const std::exception& e);

}  // namespace fw
