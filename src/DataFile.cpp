#include "DataFile.h"

#include <cfloat>
#include <cstdio>

#include <rapidjson/error/en.h>

bool dataFileError(const std::string& path, const std::string& reason) {
    std::fprintf(stderr, "%s: %s\n", path.c_str(), reason.c_str());
    return false;
}

bool readFileQuietly(const std::string& path, std::string& out, std::string& reason) {
    out.clear();
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        reason = "cannot open";
        return false;
    }
    // Read in chunks: no reliance on seeking, and the size cap holds for any file.
    char chunk[65536];
    bool ok = true;
    for (;;) {
        std::size_t got = std::fread(chunk, 1, sizeof chunk, file);
        if (got > maxDataFileSize - out.size()) {
            reason = "larger than the data file limit";
            ok = false;
            break;
        }
        out.append(chunk, got);
        if (got < sizeof chunk) {
            if (std::ferror(file)) {
                reason = "read error";
                ok = false;
            }
            break;
        }
    }
    std::fclose(file);
    if (!ok)
        out.clear();
    return ok;
}

bool readDataFile(const std::string& path, std::string& out) {
    std::string reason;
    if (readFileQuietly(path, out, reason))
        return true;
    return dataFileError(path, reason);
}

bool parseJsonFile(const std::string& path, rapidjson::Document& doc, JsonEnd end) {
    std::string text;
    return readDataFile(path, text) && parseJsonText(path, text, doc, end);
}

bool parseJsonText(const std::string& path, const std::string& text, rapidjson::Document& doc,
                   JsonEnd end) {
    // Iterative parsing: deep nesting in a hostile file cannot exhaust the stack.
    if (end == JsonEnd::stopAfterRoot)
        doc.Parse<rapidjson::kParseIterativeFlag | rapidjson::kParseStopWhenDoneFlag>(text.data(),
                                                                                      text.size());
    else
        doc.Parse<rapidjson::kParseIterativeFlag>(text.data(), text.size());
    if (!doc.HasParseError())
        return true;
    std::string reason = "JSON error at offset " + std::to_string(doc.GetErrorOffset()) + ": " +
                         rapidjson::GetParseError_En(doc.GetParseError());
    doc.SetNull();
    return dataFileError(path, reason);
}

bool asFloat(const rapidjson::Value& value, float& out) {
    if (!value.IsNumber())
        return false;
    double d = value.GetDouble();
    if (!(d >= -FLT_MAX && d <= FLT_MAX))
        return false;
    out = static_cast<float>(d);
    return true;
}

static const rapidjson::Value* member(const rapidjson::Value& obj, const char* key) {
    if (!obj.IsObject())
        return nullptr;
    rapidjson::Value::ConstMemberIterator it = obj.FindMember(key);
    return it == obj.MemberEnd() ? nullptr : &it->value;
}

bool hasMember(const rapidjson::Value& obj, const char* key) {
    return member(obj, key) != nullptr;
}

bool getFloat(const rapidjson::Value& obj, const char* key, float& out) {
    const rapidjson::Value* v = member(obj, key);
    return v && asFloat(*v, out);
}

bool getInt(const rapidjson::Value& obj, const char* key, int& out) {
    const rapidjson::Value* v = member(obj, key);
    if (!v || !v->IsInt())
        return false;
    out = v->GetInt();
    return true;
}

bool getBool(const rapidjson::Value& obj, const char* key, bool& out) {
    const rapidjson::Value* v = member(obj, key);
    if (!v || !v->IsBool())
        return false;
    out = v->GetBool();
    return true;
}

bool getString(const rapidjson::Value& obj, const char* key, std::string& out) {
    const rapidjson::Value* v = member(obj, key);
    if (!v || !v->IsString())
        return false;
    out.assign(v->GetString(), v->GetStringLength());
    return true;
}

const rapidjson::Value* getArray(const rapidjson::Value& obj, const char* key) {
    const rapidjson::Value* v = member(obj, key);
    return v && v->IsArray() ? v : nullptr;
}

const rapidjson::Value* getObject(const rapidjson::Value& obj, const char* key) {
    const rapidjson::Value* v = member(obj, key);
    return v && v->IsObject() ? v : nullptr;
}

bool getIndex(const rapidjson::Value& obj, const char* key, unsigned int limit, unsigned int& out) {
    float f;
    // The comparisons come before the conversion: only in-range values are truncated.
    if (!getFloat(obj, key, f) || !(f >= 0.0f) || !(f < static_cast<float>(limit)))
        return false;
    out = static_cast<unsigned int>(f);
    return out < limit;
}

bool getFloatFields(const rapidjson::Value& array, const char* const* names, unsigned int width,
                    float* out) {
    if (!array.IsArray())
        return false;
    for (const rapidjson::Value& element : array.GetArray())
        for (unsigned int k = 0; k < width; ++k)
            if (!getFloat(element, names[k], *out++))
                return false;
    return true;
}
