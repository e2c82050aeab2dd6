#include "settings/directive_line.h"

namespace quorrel {

namespace {
// Values up to this size are kept byte for byte.
constexpr size_t kWholeValue = 4096;
}  // namespace

bool DirectiveLine::Take(std::string_view piece) {
    if (piece.empty()) return true;
    if (kind_ == Kind::Empty) {
        kind_ = piece[0] == '#' ? Kind::Directive : piece[0] == '\'' ? Kind::Comment : Kind::Other;
        if (kind_ != Kind::Directive) return false;
        piece.remove_prefix(1);
    }
    if (value_ == Value::Unused && !TakeName(piece)) return false;
    if (value_ != Value::Unused) TakeValue(piece);
    return true;
}

// The name runs to the first blank. False when it is none that LoadPrefs
// applies (the longest is "Window1Position"), or has no blank after it.
bool DirectiveLine::TakeName(std::string_view& piece) {
    const size_t blank = piece.find(' ');
    name_ += piece.substr(0, blank);
    if (name_.size() > std::string_view("window1position").size()) return false;
    if (blank == std::string_view::npos) return true;  // the name may go on
    piece.remove_prefix(blank + 1);
    name_ = StringLCase(name_);
    if (RuntimeStringCompare(name_, "Window1Position") == 0) value_ = Value::NumberPair;
    else if (RuntimeStringCompare(name_, "MyPeriod") == 0) value_ = Value::Number;
    else if (RuntimeStringCompare(name_, "Sound") == 0) value_ = Value::Text;
    return value_ != Value::Unused;
}

void DirectiveLine::TakeValue(std::string_view piece) {
    const size_t room = kWholeValue - head_.size();
    head_ += piece.substr(0, room);
    cut_ = cut_ || piece.size() > room;
    if (value_ == Value::Text) return;
    // The number fields as StringNthField gives them to LoadPrefs.
    while (!piece.empty() && commas_ < 2) {
        const size_t comma = value_ == Value::NumberPair ? piece.find(',') : std::string_view::npos;
        numbers_[commas_].Take(piece.substr(0, comma));
        if (comma == std::string_view::npos) break;
        ++commas_;
        piece.remove_prefix(comma + 1);
    }
}

std::shared_ptr<directiveClass> DirectiveLine::Record() const {
    if (value_ == Value::Unused) return nullptr;
    auto record = RuntimeNewObject<directiveClass>();
    record->name = name_;
    if (!cut_) record->text = head_;
    // A long Sound value is no "True" however it is cut.
    else if (value_ == Value::Text) record->text = head_;
    else if (value_ == Value::Number) record->text = numbers_[0].Text();
    else record->text = numbers_[0].Text() + (commas_ > 0 ? "," + numbers_[1].Text() : "");
    return record;
}

}  // namespace quorrel
