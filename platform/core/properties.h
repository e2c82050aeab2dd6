// Colours, declared properties and design-time property lists.
#pragma once

#include "platform/core/events.h"

#include <cstdint>
#include <map>
#include <string>
#include <type_traits>
#include <utility>
#include <variant>
#include <vector>

namespace fw {

struct Color {
    uint8_t red = 0, green = 0, blue = 0, alpha = 0;
    friend bool operator==(const Color&, const Color&) = default;
};
Color RuntimeRGBA(int red, int green, int blue, int alpha);

enum class PropertyType { Integer, Boolean, String, Color, Double };
using PropertyValue = std::variant<int32_t, bool, std::string, Color, double>;

// Builds a design-time property list in its binary form: entries back to back,
// ASCII name, one blank, then the value (Integer 4 bytes big-endian, Boolean
// 1 byte, String 4-byte big-endian length and UTF-8, Color 3 bytes r g b).
class DesignList {
public:
    DesignList& Int(const std::string& name, int32_t v);
    DesignList& Bool(const std::string& name, bool v);
    DesignList& Str(const std::string& name, const std::string& v);
    DesignList& Col(const std::string& name, uint8_t r, uint8_t g, uint8_t b);
    // A Double property: 8 bytes, IEEE 754 big-endian.
    DesignList& Dbl(const std::string& name, double v);
    const std::string& Bytes() const { return bytes_; }

private:
    void Name(const std::string& name);
    std::string bytes_;
};
constexpr int32_t kNoIndex = INT32_MIN;  // the Index of a control outside a control array

// The declared type of a property's C++ value type.
template <class T>
constexpr PropertyType PropertyTypeOf() {
    if constexpr (std::is_same_v<T, int32_t>) return PropertyType::Integer;
    else if constexpr (std::is_same_v<T, bool>) return PropertyType::Boolean;
    else if constexpr (std::is_same_v<T, std::string>) return PropertyType::String;
    else if constexpr (std::is_same_v<T, Color>) return PropertyType::Color;
    else {
        static_assert(std::is_same_v<T, double>, "a property is Integer, Boolean, String, Color or Double");
        return PropertyType::Double;
    }
}

// One property of a class: its name as design lists write it (matched without
// regard to case), its type T and its one default. A class declares each of
// its properties once, with FW_PROPERTY beside its accessors, and lists the
// descriptors in its property table.
template <class T>
struct Property {
    const char* name;
    std::conditional_t<std::is_same_v<T, std::string>, const char*, T> start;
    static constexpr PropertyType type = PropertyTypeOf<T>();
};
template <class T>
using PropertyArg = std::conditional_t<std::is_same_v<T, std::string>, const std::string&, T>;

// Declares the property Name of type Type with its default: the descriptor
// NameProperty, the reader Name() and the setter Name(value).
#define FW_PROPERTY(Type, Name, start)                                  \
    static constexpr ::fw::Property<Type> Name##Property{#Name, start}; \
    Type Name() const { return ReadProperty(Name##Property); }          \
    void Name(::fw::PropertyArg<Type> value) { WriteProperty(Name##Property, value); }

// One entry of a class's property table.
struct PropertyDecl {
    std::string name;
    PropertyType type;
    PropertyValue start;
};

// A class's properties in order: its base's, then its own.
class PropertyTable {
public:
    template <class... T>
    void Add(const Property<T>&... properties) {
        (Put(&properties, properties.name, Property<T>::type, PropertyValue(T(properties.start))), ...);
    }

private:
    friend class PropertyObject;
    void Put(const void* key, const char* name, PropertyType type, PropertyValue start);
    std::vector<PropertyDecl> decls_;
    std::vector<const void*> keys_;  // the descriptors, in the same order
};

// An object with declared properties that a design-time list can set.
class PropertyObject : public EventSource {
public:
    // Generic access by name (case-insensitive). An undeclared name raises
    // KeyNotFoundException; a value of the wrong type TypeMismatchException.
    const PropertyValue& GetProperty(const std::string& name) const;
    void SetProperty(const std::string& name, const PropertyValue& value);
    // The declared type, or nullptr when the class has no such property.
    const PropertyDecl* FindProperty(const std::string& name) const;

protected:
    // Each class adds its own descriptors to its base's.
    virtual void DeclareProperties(PropertyTable& table) const;
    // Called after a property was set (name as declared); base does nothing.
    virtual void PropertyChanged(const std::string& name);
    // Typed access through a descriptor of the class's table.
    template <class T>
    T ReadProperty(const Property<T>& property) const {
        return std::get<T>(values_[IndexOf(&property, property.name)]);
    }
    template <class T>
    void WriteProperty(const Property<T>& property, PropertyArg<T> value) {
        SetAt(IndexOf(&property, property.name), PropertyValue(T(value)));
    }
    // Stores without PropertyChanged: a value that the peer reported.
    template <class T>
    void StoreProperty(const Property<T>& property, PropertyArg<T> value) {
        values_[IndexOf(&property, property.name)] = T(value);
    }

private:
    void EnsureDeclared() const;
    size_t IndexOf(const void* key, const char* name) const;
    void SetAt(size_t index, PropertyValue value);
    mutable PropertyTable table_;
    mutable std::map<std::string, size_t> byLowerName_;
    mutable std::vector<PropertyValue> values_;
};

// Decodes the list and sets every property in stored order. A truncated list
// (a name without its blank, a short value, a string length beyond the end) or
// a Boolean byte other than 0 or 1 raises UnsupportedFormatException, an
// unknown name KeyNotFoundException. Nothing is set when the list is bad.
void RuntimeMassPropertySetter(const std::shared_ptr<PropertyObject>& target, const std::string& list);
// Decodes without applying (names and values in order), using the target's
// declarations for the types.
std::vector<std::pair<std::string, PropertyValue>> DecodeDesignList(const PropertyObject& target,
                                                                    const std::string& list);

}  // namespace fw
