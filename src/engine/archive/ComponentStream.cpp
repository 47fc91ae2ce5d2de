#include "engine/archive/ComponentStream.h"

#include <cstring>

#include "engine/archive/NameIndex.h"

namespace mv {
namespace {

constexpr uint8_t kSignature[4] = {'T', 'P', 'F', '0'};
// Lists nested deeper than this are not something any archive holds; refusing them keeps a hostile
// stream from exhausting the stack.
constexpr int kMaxDepth = 32;

[[noreturn]] void streamReadError() {
  throw Error("Stream read error");
}

}  // namespace

void throwPropertyDoesNotExist() {
  throw EPropertyError("Property does not exist");
}
void throwInvalidPropertyValue() {
  throw EPropertyError("Invalid property value");
}

TComponentReader::TComponentReader(std::span<const uint8_t> data) : data_(data) {}

uint8_t TComponentReader::readByte() {
  if (pos_ >= data_.size()) streamReadError();
  return data_[pos_++];
}

uint8_t TComponentReader::peekByte() {
  if (pos_ >= data_.size()) streamReadError();
  return data_[pos_];
}

std::span<const uint8_t> TComponentReader::readBytes(size_t count) {
  if (count > remaining()) streamReadError();
  auto out = data_.subspan(pos_, count);
  pos_ += count;
  return out;
}

int32_t TComponentReader::readInt32() {
  auto b = readBytes(4);
  return static_cast<int32_t>(b[0] | (b[1] << 8) | (b[2] << 16) | (uint32_t(b[3]) << 24));
}

std::string TComponentReader::readShortString() {
  const uint8_t length = readByte();
  auto b = readBytes(length);
  return std::string(b.begin(), b.end());
}

int32_t TComponentReader::readTaggedInteger(ValueTag tag) {
  switch (tag) {
    case ValueTag::Int8:
      return static_cast<int8_t>(readByte());
    case ValueTag::Int16: {
      auto b = readBytes(2);
      return static_cast<int16_t>(b[0] | (b[1] << 8));
    }
    case ValueTag::Int32:
      return readInt32();
    default:
      throwInvalidPropertyValue();
  }
}

void TComponentReader::readHeader() {
  if (remaining() < 4 || std::memcmp(data_.data() + pos_, kSignature, 4) != 0)
    throw Error("Invalid stream format");
  pos_ += 4;
  const uint8_t prefix = peekByte();
  if (prefix >= 0xF0) {
    ++pos_;
    // A child position follows when the flags say so; the archives never use it.
    if (prefix & 0x02) readTaggedInteger(static_cast<ValueTag>(readByte()));
  }
  className_ = readShortString();
  objectName_ = readShortString();
}

void TComponentReader::propertyError(const std::string& property, const EPropertyError& error) const {
  throw Error(format("Error reading %s%s%s: %s", objectName_.c_str(), objectName_.empty() ? "" : ".",
                     property.c_str(), error.what()));
}

void TComponentReader::readProperties(const std::function<void(const std::string&)>& onProperty) {
  while (peekByte() != 0) {
    const std::string name = readShortString();
    try {
      onProperty(name);
    } catch (const EPropertyError& e) {
      propertyError(name, e);
    }
  }
  ++pos_;
  readByte();  // the empty list of child objects
}

TStreamValue TComponentReader::readValueOfTag(ValueTag tag) {
  TStreamValue value;
  value.tag = tag;
  switch (tag) {
    case ValueTag::Int8:
    case ValueTag::Int16:
    case ValueTag::Int32:
      value.intValue = readTaggedInteger(tag);
      break;
    case ValueTag::String:
    case ValueTag::Ident:
      value.text = readShortString();
      break;
    case ValueTag::False:
    case ValueTag::True:
      break;
    case ValueTag::LString:
    case ValueTag::Binary: {
      const uint32_t length = static_cast<uint32_t>(readInt32());
      auto b = readBytes(length);
      if (tag == ValueTag::Binary)
        value.bytes = b;
      else
        value.text.assign(b.begin(), b.end());
      break;
    }
    default:
      throwInvalidPropertyValue();
  }
  return value;
}

TStreamValue TComponentReader::readValue() {
  return readValueOfTag(static_cast<ValueTag>(readByte()));
}

void TComponentReader::skipValue() {
  const auto tag = static_cast<ValueTag>(readByte());
  if (tag != ValueTag::List && tag != ValueTag::Collection) {
    readValueOfTag(tag);
    return;
  }
  if (++depth_ > kMaxDepth) throwInvalidPropertyValue();
  if (tag == ValueTag::List) {
    while (peekByte() != 0) skipValue();
    ++pos_;
  } else {
    while (peekByte() != 0) {
      const auto itemTag = static_cast<ValueTag>(peekByte());
      if (itemTag == ValueTag::Int8 || itemTag == ValueTag::Int16 || itemTag == ValueTag::Int32) skipValue();
      if (readByte() != static_cast<uint8_t>(ValueTag::List)) throwInvalidPropertyValue();
      while (peekByte() != 0) {
        readShortString();
        skipValue();
      }
      ++pos_;
    }
    ++pos_;
  }
  --depth_;
}

void TComponentReader::readCollection(
    const std::function<void()>& onItem,
    const std::function<void(const std::string&, const TStreamValue&)>& onProperty) {
  if (readByte() != static_cast<uint8_t>(ValueTag::Collection)) throwInvalidPropertyValue();
  while (peekByte() != 0) {
    // An optional order index, read and ignored.
    const auto tag = static_cast<ValueTag>(peekByte());
    if (tag == ValueTag::Int8 || tag == ValueTag::Int16 || tag == ValueTag::Int32) readValue();
    if (readByte() != static_cast<uint8_t>(ValueTag::List)) throwInvalidPropertyValue();
    onItem();
    while (peekByte() != 0) {
      const std::string name = readShortString();
      try {
        // Nested lists are read whole so that a handler only ever sees a scalar; it rejects the tag.
        const auto valueTag = static_cast<ValueTag>(peekByte());
        TStreamValue value;
        if (valueTag == ValueTag::List || valueTag == ValueTag::Collection) {
          skipValue();
          value.tag = valueTag;
        } else {
          value = readValue();
        }
        onProperty(name, value);
      } catch (const EPropertyError& e) {
        propertyError(name, e);
      }
    }
    ++pos_;
  }
  ++pos_;
}

void TComponentWriter::writeRaw(const void* data, size_t size) {
  const auto* p = static_cast<const uint8_t*>(data);
  bytes_.insert(bytes_.end(), p, p + size);
}

void TComponentWriter::writeShortString(const std::string& value) {
  const size_t length = std::min<size_t>(value.size(), 255);
  bytes_.push_back(static_cast<uint8_t>(length));
  writeRaw(value.data(), length);
}

void TComponentWriter::writeHeader(const std::string& className, const std::string& objectName) {
  writeRaw(kSignature, 4);
  writeShortString(className);
  writeShortString(objectName);
}

void TComponentWriter::writePropertyName(const std::string& name) {
  writeShortString(name);
}

void TComponentWriter::writeInteger(int32_t value) {
  uint8_t b[4] = {uint8_t(value), uint8_t(value >> 8), uint8_t(value >> 16), uint8_t(value >> 24)};
  if (value >= -128 && value <= 127) {
    bytes_.push_back(static_cast<uint8_t>(ValueTag::Int8));
    writeRaw(b, 1);
  } else if (value >= -32768 && value <= 32767) {
    bytes_.push_back(static_cast<uint8_t>(ValueTag::Int16));
    writeRaw(b, 2);
  } else {
    bytes_.push_back(static_cast<uint8_t>(ValueTag::Int32));
    writeRaw(b, 4);
  }
}

void TComponentWriter::writeBoolean(bool value) {
  bytes_.push_back(static_cast<uint8_t>(value ? ValueTag::True : ValueTag::False));
}

void TComponentWriter::writeString(const std::string& value) {
  if (value.size() <= 255) {
    bytes_.push_back(static_cast<uint8_t>(ValueTag::String));
    writeShortString(value);
    return;
  }
  bytes_.push_back(static_cast<uint8_t>(ValueTag::LString));
  const uint32_t length = static_cast<uint32_t>(value.size());
  uint8_t b[4] = {uint8_t(length), uint8_t(length >> 8), uint8_t(length >> 16), uint8_t(length >> 24)};
  writeRaw(b, 4);
  writeRaw(value.data(), value.size());
}

void TComponentWriter::writeIdent(const std::string& value) {
  bytes_.push_back(static_cast<uint8_t>(ValueTag::Ident));
  writeShortString(value);
}

void TComponentWriter::writeBinary(std::span<const uint8_t> data) {
  bytes_.push_back(static_cast<uint8_t>(ValueTag::Binary));
  const uint32_t length = static_cast<uint32_t>(data.size());
  uint8_t b[4] = {uint8_t(length), uint8_t(length >> 8), uint8_t(length >> 16), uint8_t(length >> 24)};
  writeRaw(b, 4);
  writeRaw(data.data(), data.size());
}

void TComponentWriter::beginCollection() {
  bytes_.push_back(static_cast<uint8_t>(ValueTag::Collection));
}
void TComponentWriter::beginItem() {
  bytes_.push_back(static_cast<uint8_t>(ValueTag::List));
}

bool colorFromIdent(const std::string& ident, uint32_t& colorRef) {
  struct Named {
    const char* name;
    uint32_t value;
  };
  static constexpr Named kColors[] = {
      {"clBlack", 0x000000},  {"clMaroon", 0x000080},  {"clGreen", 0x008000},      {"clOlive", 0x008080},
      {"clNavy", 0x800000},   {"clPurple", 0x800080},  {"clTeal", 0x808000},       {"clGray", 0x808080},
      {"clSilver", 0xC0C0C0}, {"clRed", 0x0000FF},     {"clLime", 0x00FF00},       {"clYellow", 0x00FFFF},
      {"clBlue", 0xFF0000},   {"clFuchsia", 0xFF00FF}, {"clAqua", 0xFFFF00},       {"clLtGray", 0xC0C0C0},
      {"clDkGray", 0x808080}, {"clWhite", 0xFFFFFF},   {"clMoneyGreen", 0xC0DCC0}, {"clSkyBlue", 0xF0CAA6},
      {"clCream", 0xF0FBFF},  {"clMedGray", 0xA4A0A0}, {"clNone", 0x1FFFFFFF},     {"clDefault", 0x20000000},
  };
  for (const auto& c : kColors)
    if (sameTextCp1251(ident, c.name)) {
      colorRef = c.value;
      return true;
    }
  return false;
}

}  // namespace mv
