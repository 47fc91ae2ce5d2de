#pragma once
// The "TPF0" component stream: the container of the image and sound archives. The reader walks the
// stream front to back and hands each property to the caller, who applies it or rejects it; the writer
// produces the same format.

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "platform/Error.h"

namespace mv {

enum class ValueTag : uint8_t {
  Null = 0,
  List = 1,
  Int8 = 2,
  Int16 = 3,
  Int32 = 4,
  String = 6,
  Ident = 7,
  False = 8,
  True = 9,
  Binary = 10,
  LString = 12,
  Collection = 14,
};

// One scalar property value. Lists and collections are walked by the reader, not held here.
struct TStreamValue {
  ValueTag tag = ValueTag::Null;
  int32_t intValue = 0;            // Int8, Int16, Int32
  std::string text;                // String, LString, Ident
  std::span<const uint8_t> bytes;  // Binary: a view into the stream's data

  bool isInteger() const { return tag == ValueTag::Int8 || tag == ValueTag::Int16 || tag == ValueTag::Int32; }
  bool isBoolean() const { return tag == ValueTag::False || tag == ValueTag::True; }
  bool isString() const { return tag == ValueTag::String || tag == ValueTag::LString; }
};

// Thrown by property handlers; the reader reports it as "Error reading %s%s%s: %s".
class EPropertyError : public Error {
 public:
  using Error::Error;
};
[[noreturn]] void throwPropertyDoesNotExist();  // "Property does not exist"
[[noreturn]] void throwInvalidPropertyValue();  // "Invalid property value"

class TComponentReader {
 public:
  // The data must outlive the reader and every value it hands out.
  explicit TComponentReader(std::span<const uint8_t> data);

  // Signature "TPF0" ("Invalid stream format"), the optional prefix, the class and object names.
  void readHeader();
  const std::string& className() const { return className_; }
  const std::string& objectName() const { return objectName_; }

  // The component's properties up to their 0 byte, then the empty child list. For each property the
  // handler is called with its name; it reads the value through readValue or readCollection.
  void readProperties(const std::function<void(const std::string& name)>& onProperty);

  // A collection value (tag 14) of items; for each item onItem() is called, then onProperty for each of
  // its properties with the value already read. A non-collection tag is an invalid property value.
  void readCollection(
      const std::function<void()>& onItem,
      const std::function<void(const std::string& name, const TStreamValue& value)>& onProperty);

  // One scalar value. A list (tag 1) or collection (tag 14) where a scalar is wanted is an invalid value.
  TStreamValue readValue();
  // Reads and drops any value, lists and collections included.
  void skipValue();

  size_t position() const { return pos_; }
  size_t remaining() const { return data_.size() - pos_; }

 private:
  uint8_t readByte();
  uint8_t peekByte();
  std::span<const uint8_t> readBytes(size_t count);
  int32_t readInt32();
  std::string readShortString();
  int32_t readTaggedInteger(ValueTag tag);
  TStreamValue readValueOfTag(ValueTag tag);
  [[noreturn]] void propertyError(const std::string& property, const EPropertyError& error) const;

  std::span<const uint8_t> data_;
  size_t pos_ = 0;
  int depth_ = 0;
  std::string className_, objectName_;
};

class TComponentWriter {
 public:
  // Signature, class name and object name; properties follow.
  void writeHeader(const std::string& className, const std::string& objectName = "");
  void writePropertyName(const std::string& name);
  void writeInteger(int32_t value);  // the smallest integer tag that holds it
  void writeBoolean(bool value);
  void writeString(const std::string& value);  // short string up to 255 bytes, else long string
  void writeIdent(const std::string& value);
  void writeBinary(std::span<const uint8_t> bytes);
  void beginCollection();
  void beginItem();
  void endItem() { writeEnd(); }
  void endCollection() { writeEnd(); }
  void endProperties() { writeEnd(); }  // the end of the property list
  void endChildren() { writeEnd(); }    // the empty child list closing the component
  void writeEnd() { bytes_.push_back(0); }

  const std::vector<uint8_t>& bytes() const { return bytes_; }
  std::vector<uint8_t> take() { return std::move(bytes_); }

 private:
  void writeShortString(const std::string& value);
  void writeRaw(const void* data, size_t size);
  std::vector<uint8_t> bytes_;
};

// The colour identifiers accepted where a colour is stored as an identifier ("clFuchsia" and the
// like); false for an unknown name.
bool colorFromIdent(const std::string& ident, uint32_t& colorRef);

}  // namespace mv
