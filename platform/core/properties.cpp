// Declared properties, generic access by name, and the design-time list codec.
#include "platform/framework.h"

#include <bit>
#include <cstring>

namespace fw {
namespace {

std::string Lower(const std::string& s) {
    std::string out = s;
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

size_t VariantIndex(PropertyType t) {
    switch (t) {
        case PropertyType::Integer: return 0;
        case PropertyType::Boolean: return 1;
        case PropertyType::String: return 2;
        case PropertyType::Color: return 3;
        case PropertyType::Double: return 4;
    }
    return 0;
}

void PutU32(std::string& out, uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<char>((v >> shift) & 0xff));
}

// Reads the list's bytes; every read checks that the bytes are there.
class ListReader {
public:
    explicit ListReader(const std::string& bytes) : bytes_(bytes) {}
    bool AtEnd() const { return pos_ >= bytes_.size(); }
    std::string Name() {
        size_t blank = bytes_.find(' ', pos_);
        if (blank == std::string::npos) Fail("a property name without its value");
        std::string name = bytes_.substr(pos_, blank - pos_);
        if (name.empty()) Fail("an empty property name");
        pos_ = blank + 1;
        return name;
    }
    const char* Take(size_t n, const std::string& what) {
        if (bytes_.size() - pos_ < n) Fail("the value of " + what + " is cut short");
        const char* p = bytes_.data() + pos_;
        pos_ += n;
        return p;
    }
    uint32_t U32(const std::string& what) {
        const auto* p = reinterpret_cast<const unsigned char*>(Take(4, what));
        return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | p[3];
    }
    [[noreturn]] static void Fail(const std::string& why) {
        throw UnsupportedFormatException("malformed design-time property list: " + why);
    }

private:
    const std::string& bytes_;
    size_t pos_ = 0;
};

PropertyValue ReadValue(ListReader& in, const PropertyDecl& decl) {
    switch (decl.type) {
        case PropertyType::Integer: return static_cast<int32_t>(in.U32(decl.name));
        case PropertyType::Boolean: {
            unsigned char b = static_cast<unsigned char>(*in.Take(1, decl.name));
            if (b > 1) ListReader::Fail("the Boolean " + decl.name + " is neither 0 nor 1");
            return b == 1;
        }
        case PropertyType::String: {
            uint32_t n = in.U32(decl.name);
            return std::string(in.Take(n, decl.name), n);
        }
        case PropertyType::Color: {
            const auto* p = reinterpret_cast<const unsigned char*>(in.Take(3, decl.name));
            return Color{p[0], p[1], p[2], 0};
        }
        case PropertyType::Double: {
            uint64_t bits = 0;
            const auto* p = reinterpret_cast<const unsigned char*>(in.Take(8, decl.name));
            for (int i = 0; i < 8; ++i) bits = (bits << 8) | p[i];
            return std::bit_cast<double>(bits);
        }
    }
    return int32_t{0};
}

}  // namespace

Color RuntimeRGBA(int red, int green, int blue, int alpha) {
    auto clamp = [](int v) { return static_cast<uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v); };
    return Color{clamp(red), clamp(green), clamp(blue), clamp(alpha)};
}

void DesignList::Name(const std::string& name) {
    bytes_ += name;
    bytes_ += ' ';
}
DesignList& DesignList::Int(const std::string& name, int32_t v) {
    Name(name);
    PutU32(bytes_, static_cast<uint32_t>(v));
    return *this;
}
DesignList& DesignList::Bool(const std::string& name, bool v) {
    Name(name);
    bytes_.push_back(v ? 1 : 0);
    return *this;
}
DesignList& DesignList::Str(const std::string& name, const std::string& v) {
    Name(name);
    PutU32(bytes_, static_cast<uint32_t>(v.size()));
    bytes_ += v;
    return *this;
}
DesignList& DesignList::Col(const std::string& name, uint8_t r, uint8_t g, uint8_t b) {
    Name(name);
    bytes_.push_back(static_cast<char>(r));
    bytes_.push_back(static_cast<char>(g));
    bytes_.push_back(static_cast<char>(b));
    return *this;
}
DesignList& DesignList::Dbl(const std::string& name, double v) {
    Name(name);
    uint64_t bits = std::bit_cast<uint64_t>(v);
    PutU32(bytes_, static_cast<uint32_t>(bits >> 32));
    PutU32(bytes_, static_cast<uint32_t>(bits));
    return *this;
}

void PropertyTable::Put(const void* key, const char* name, PropertyType type, PropertyValue start) {
    decls_.push_back({name, type, std::move(start)});
    keys_.push_back(key);
}

void PropertyObject::DeclareProperties(PropertyTable&) const {}
void PropertyObject::PropertyChanged(const std::string&) {}

void PropertyObject::EnsureDeclared() const {
    if (!values_.empty() || !table_.decls_.empty()) return;
    DeclareProperties(table_);
    for (size_t i = 0; i < table_.decls_.size(); ++i) {
        byLowerName_[Lower(table_.decls_[i].name)] = i;
        values_.push_back(table_.decls_[i].start);
    }
}

size_t PropertyObject::IndexOf(const void* key, const char* name) const {
    CheckMainThread();
    EnsureDeclared();
    const auto& keys = table_.keys_;
    for (size_t i = 0; i < keys.size(); ++i)
        if (keys[i] == key) return i;
    throw KeyNotFoundException(ClassName() + " has no property " + name);
}

const PropertyDecl* PropertyObject::FindProperty(const std::string& name) const {
    EnsureDeclared();
    auto it = byLowerName_.find(Lower(name));
    return it == byLowerName_.end() ? nullptr : &table_.decls_[it->second];
}

const PropertyValue& PropertyObject::GetProperty(const std::string& name) const {
    CheckMainThread();
    const PropertyDecl* decl = FindProperty(name);
    if (!decl) throw KeyNotFoundException(ClassName() + " has no property " + name);
    return values_[static_cast<size_t>(decl - table_.decls_.data())];
}

void PropertyObject::SetProperty(const std::string& name, const PropertyValue& value) {
    CheckMainThread();
    const PropertyDecl* decl = FindProperty(name);
    if (!decl) throw KeyNotFoundException(ClassName() + " has no property " + name);
    PropertyValue stored = value;
    if (decl->type == PropertyType::Double && std::holds_alternative<int32_t>(value))
        stored = static_cast<double>(std::get<int32_t>(value));
    if (stored.index() != VariantIndex(decl->type))
        throw TypeMismatchException("a value of the wrong type for " + ClassName() + "." + decl->name);
    SetAt(static_cast<size_t>(decl - table_.decls_.data()), std::move(stored));
}

void PropertyObject::SetAt(size_t index, PropertyValue value) {
    values_[index] = std::move(value);
    PropertyChanged(table_.decls_[index].name);
}

std::vector<std::pair<std::string, PropertyValue>> DecodeDesignList(const PropertyObject& target,
                                                                    const std::string& list) {
    std::vector<std::pair<std::string, PropertyValue>> out;
    ListReader in(list);
    while (!in.AtEnd()) {
        std::string name = in.Name();
        const PropertyDecl* decl = target.FindProperty(name);
        if (!decl) throw KeyNotFoundException(target.ClassName() + " has no property " + name);
        out.emplace_back(decl->name, ReadValue(in, *decl));
    }
    return out;
}

void RuntimeMassPropertySetter(const std::shared_ptr<PropertyObject>& target, const std::string& list) {
    // The whole list is decoded first, so a bad list sets nothing.
    auto entries = DecodeDesignList(*NotNil(target), list);
    for (auto& [name, value] : entries) target->SetProperty(name, value);
}

}  // namespace fw
