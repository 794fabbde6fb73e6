#pragma once

#include <cstddef>
#include <string>

#include <rapidjson/document.h>

// The one way data files are read: whole files in binary mode, JSON parsed with
// an error check, and members taken only after their presence and type are
// checked, so that no file can reach a rapidjson assertion.
//
// A refused file is reported once, as "<path>: <reason>" on stderr; the
// reading functions below print that line themselves, loaders print it with
// dataFileError for what they refuse later.

// Files larger than this are refused rather than read.
const std::size_t maxDataFileSize = std::size_t(256) << 20;

// Prints "<path>: <reason>" on stderr; returns false for the caller to pass on.
bool dataFileError(const std::string& path, const std::string& reason);

// The whole file into out; on failure out is empty and reason says why.
// Prints nothing (for callers with their own message).
bool readFileQuietly(const std::string& path, std::string& out, std::string& reason);

// The whole file into out; reported when it is missing, unreadable or too big.
bool readDataFile(const std::string& path, std::string& out);

// Where a JSON file may end: right after its root value, or (stopAfterRoot)
// anywhere after it, the text that follows being ignored.
enum class JsonEnd { atRoot, stopAfterRoot };

// Reads and parses a JSON file; reported on a read or syntax error.
bool parseJsonFile(const std::string& path, rapidjson::Document& doc,
                   JsonEnd end = JsonEnd::atRoot);
// Parses the text of a file already read; a syntax error is reported for path.
bool parseJsonText(const std::string& path, const std::string& text, rapidjson::Document& doc,
                   JsonEnd end = JsonEnd::atRoot);

// A number that fits a float (integers included).
bool asFloat(const rapidjson::Value& value, float& out);

// Member access: false when obj is not an object, the member is missing, or it
// has another type. out is written only on success.
bool hasMember(const rapidjson::Value& obj, const char* key);
bool getFloat(const rapidjson::Value& obj, const char* key, float& out);
bool getInt(const rapidjson::Value& obj, const char* key, int& out);
bool getBool(const rapidjson::Value& obj, const char* key, bool& out);
bool getString(const rapidjson::Value& obj, const char* key, std::string& out);
// Null unless the member exists and is an array (an object).
const rapidjson::Value* getArray(const rapidjson::Value& obj, const char* key);
const rapidjson::Value* getObject(const rapidjson::Value& obj, const char* key);

// Every element of array is an object with the numbers names[0..width-1]:
// writes width floats per element to out (room for array.Size() x width).
// False at the first element that breaks this.
bool getFloatFields(const rapidjson::Value& array, const char* const* names, unsigned int width,
                    float* out);

// An index stored as a number: read as a float and truncated, like every
// index of our files; false when negative or not below limit.
bool getIndex(const rapidjson::Value& obj, const char* key, unsigned int limit, unsigned int& out);
