// Named events of framework objects.
#include "platform/framework.h"

namespace fw {

const std::type_info* EventSource::EventSignature(const std::string&) const { return nullptr; }

void EventSource::Dispatch(const std::function<void()>& fn) { RunHandler(fn); }

void EventSource::CheckSignature(const std::string& event, const std::type_info& given) const {
    const std::type_info* expected = EventSignature(event);
    if (!expected) throw KeyNotFoundException(ClassName() + " has no event " + event);
    if (*expected != given)
        throw TypeMismatchException("the handler's parameters do not match the event " + ClassName() + "." + event);
}

}  // namespace fw
