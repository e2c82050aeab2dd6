// Colours, declared properties and design-time property lists.
#pragma once

#include "platform/core/events.h"

#include <cstdint>
#include <map>
#include <string>
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

// One declared property of a class: its name (matched without regard to case),
// type and start value.
struct PropertyDecl {
    std::string name;
    PropertyType type;
    PropertyValue start;
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
    // Each class adds its own declarations to its base's.
    virtual void DeclareProperties(std::vector<PropertyDecl>& out) const;
    // Called after a property was set (name as declared); base does nothing.
    virtual void PropertyChanged(const std::string& name);
    int32_t GetInt(const std::string& n) const { return std::get<int32_t>(GetProperty(n)); }
    bool GetBool(const std::string& n) const { return std::get<bool>(GetProperty(n)); }
    const std::string& GetStr(const std::string& n) const { return std::get<std::string>(GetProperty(n)); }
    Color GetColor(const std::string& n) const { return std::get<Color>(GetProperty(n)); }
    double GetDouble(const std::string& n) const { return std::get<double>(GetProperty(n)); }

private:
    void EnsureDeclared() const;
    mutable std::vector<PropertyDecl> decls_;
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
