#include "Recorder.h"

#include <sstream>

Recorder& recorder() {
    // Never destroyed: objects with static lifetime may still release buffers
    // while the program ends.
    static Recorder* instance = new Recorder;
    return *instance;
}

void Recorder::reset() {
    log.clear();
    faultLines.clear();
    vertexInputs.clear();
    indexBuffers.clear();
    lastVertexInput = lastIndexBuffer = Renderer::noBuffer;
    nextTextureID = 1;
    openGLTextures = true;
    Shader::bound = nullptr;
    Texture::bound = nullptr;
}

RecordedEvent& Recorder::add(RecordedEvent::Kind kind) {
    log.emplace_back();
    log.back().kind = kind;
    return log.back();
}

std::vector<RecordedEvent> Recorder::events(RecordedEvent::Kind kind) const {
    std::vector<RecordedEvent> out;
    for (const RecordedEvent& e : log)
        if (e.kind == kind)
            out.push_back(e);
    return out;
}

std::vector<float> RecordedDraw::uniform(const std::string& name) const {
    auto found = uniforms.find(name);
    return found == uniforms.end() ? std::vector<float>() : found->second;
}

std::vector<std::string> RecordedDraw::uniformNames() const {
    std::vector<std::string> out;
    for (const auto& named : uniforms)
        out.push_back(named.first);
    return out;
}

std::vector<RecordedDraw> Recorder::drawsFrom(std::size_t first) const {
    std::vector<RecordedDraw> out;
    const Texture* unit0 = nullptr;
    std::map<const Shader*, std::map<std::string, std::vector<float>>> uniforms;
    RecordedDraw state;
    for (std::size_t i = 0; i < log.size(); ++i) {
        const RecordedEvent& e = log[i];
        if (e.kind == RecordedEvent::textureBind && e.count == 0)
            unit0 = e.texture;
        else if (e.kind == RecordedEvent::uniform)
            uniforms[e.shader][e.name] = e.values;
        else if (e.kind == RecordedEvent::rendererInit || e.kind == RecordedEvent::depthTest)
            state.depthTest = e.kind == RecordedEvent::rendererInit || e.on;
        else if (e.kind == RecordedEvent::depthMask)
            state.depthMask = e.on;
        else if (e.kind == RecordedEvent::draw && i >= first) {
            state.shader = e.shader;
            state.texture = unit0;
            state.vertexInput = e.vertexInput;
            state.uniforms = uniforms[e.shader];
            out.push_back(state);
        }
    }
    return out;
}

std::vector<const Texture*> Recorder::texturesUnloaded() const {
    std::vector<const Texture*> out;
    for (const RecordedEvent& e : log)
        if (e.kind == RecordedEvent::textureUnload)
            out.push_back(e.texture);
    return out;
}

std::map<const Texture*, RecordedSampling> Recorder::sampling() const {
    std::map<const Texture*, RecordedSampling> out;
    const Texture* unit0 = nullptr;
    for (const RecordedEvent& e : log) {
        if (e.kind == RecordedEvent::textureUpload) {
            out[e.texture] = RecordedSampling();
            unit0 = e.texture;
        } else if (e.kind == RecordedEvent::textureBind && e.count == 0) {
            unit0 = e.texture;
        } else if (e.kind == RecordedEvent::textureSmooth || e.kind == RecordedEvent::textureWrap) {
            auto changed = out.find(openGLTextures ? unit0 : e.texture);
            if (changed == out.end())
                continue;
            if (e.kind == RecordedEvent::textureSmooth)
                changed->second.smooth = e.on;
            else if (e.count >= Texture::mirroredRepeat && e.count <= Texture::clampToBorder)
                changed->second.wrap = e.count;
        }
    }
    return out;
}

std::string
Recorder::samplingMismatches(const std::map<const Texture*, RecordedSampling>& special) const {
    std::map<const Texture*, std::string> paths;
    for (const RecordedEvent& e : log)
        if (e.kind == RecordedEvent::textureLoad)
            paths[e.texture] = e.name;
    auto text = [](const RecordedSampling& s) {
        return std::string(s.smooth ? "smoothed" : "nearest") + ", wrap " + std::to_string(s.wrap);
    };
    std::map<const Texture*, RecordedSampling> now = sampling();
    std::string out;
    for (const auto& [texture, held] : now) {
        auto wanted = special.find(texture);
        RecordedSampling expected = wanted == special.end() ? RecordedSampling() : wanted->second;
        if (held.smooth != expected.smooth || held.wrap != expected.wrap)
            out += paths[texture] + ": " + text(held) + ", expected " + text(expected) + "\n";
    }
    for (const auto& [texture, expected] : special)
        if (!now.count(texture))
            out += paths[texture] + ": never uploaded\n";
    return out;
}

std::vector<RecordedEvent> Recorder::sends(const std::string& name) const {
    std::vector<RecordedEvent> out;
    for (const RecordedEvent& e : log)
        if (e.kind == RecordedEvent::uniform && e.name == name)
            out.push_back(e);
    return out;
}

std::vector<std::string> Recorder::sentNames() const {
    std::vector<std::string> out;
    for (const RecordedEvent& e : log)
        if (e.kind == RecordedEvent::uniform)
            out.push_back(e.name);
    return out;
}

const RecordedVertexInput& Recorder::vertexInput(unsigned int handle) const {
    static const RecordedVertexInput none;
    return handle < vertexInputs.size() ? vertexInputs[handle] : none;
}

const RecordedIndexBuffer& Recorder::indexBuffer(unsigned int handle) const {
    static const RecordedIndexBuffer none;
    return handle < indexBuffers.size() ? indexBuffers[handle] : none;
}

unsigned int Recorder::liveBuffers() const {
    unsigned int live = 0;
    for (const RecordedVertexInput& v : vertexInputs)
        live += !v.released;
    for (const RecordedIndexBuffer& b : indexBuffers)
        live += !b.released;
    return live;
}

// The vertex input named by handle, or null (and a fault) when there is none.
RecordedVertexInput* Recorder::liveVertexInput(unsigned int handle, const char* use) {
    if (handle >= vertexInputCount()) {
        fault(std::string(use) + ": unknown vertex input " + std::to_string(handle));
        return nullptr;
    }
    if (vertexInputs[handle].released) {
        fault(std::string(use) + ": released vertex input " + std::to_string(handle));
        return nullptr;
    }
    return &vertexInputs[handle];
}

RecordedIndexBuffer* Recorder::liveIndexBuffer(unsigned int handle, const char* use) {
    if (handle >= indexBufferCount()) {
        fault(std::string(use) + ": unknown index buffer " + std::to_string(handle));
        return nullptr;
    }
    if (indexBuffers[handle].released) {
        fault(std::string(use) + ": released index buffer " + std::to_string(handle));
        return nullptr;
    }
    return &indexBuffers[handle];
}

bool Recorder::checkDraw(unsigned int vertexInput, unsigned int indexBuffer, int count) {
    RecordedVertexInput* v = liveVertexInput(vertexInput, "draw");
    RecordedIndexBuffer* b = liveIndexBuffer(indexBuffer, "draw");
    if (!v || !b)
        return false;
    if (count < 0 || std::size_t(count) > b->indices.size()) {
        fault("draw: " + std::to_string(count) + " indices from a buffer of " +
              std::to_string(b->indices.size()));
        return false;
    }
    for (int i = 0; i < count; ++i)
        if (b->indices[std::size_t(i)] >= v->vertexCount) {
            fault("draw: index " + std::to_string(b->indices[std::size_t(i)]) + " beyond " +
                  std::to_string(v->vertexCount) + " vertices");
            return false;
        }
    return true;
}

std::string Recorder::dump() const {
    static const char* const names[] = {"rendererInit",      "depthTest",
                                        "depthMask",         "clear",
                                        "clearDepth",        "viewPort",
                                        "beginFrame",        "endFrame",
                                        "createVertexInput", "createIndexBuffer",
                                        "sendVertices",      "sendUVs",
                                        "sendData",          "sendIndices",
                                        "deleteVertexInput", "deleteBuffer",
                                        "createBuffer",      "shaderLoad",
                                        "shaderSetInput",    "shaderCompile",
                                        "shaderBind",        "shaderUnbind",
                                        "uniform",           "bindVertexInput",
                                        "bindBuffer",        "draw",
                                        "textureLoad",       "textureUpload",
                                        "textureUnload",     "textureBind",
                                        "textureSmooth",     "textureWrap"};
    std::ostringstream out;
    for (const RecordedEvent& e : log) {
        out << names[e.kind];
        if (!e.name.empty())
            out << " " << e.name;
        if (e.handle != Renderer::noBuffer)
            out << " handle " << e.handle;
        if (e.vertexInput != Renderer::noBuffer)
            out << " input " << e.vertexInput;
        if (e.count)
            out << " count " << e.count;
        out << "\n";
    }
    for (const std::string& f : faultLines)
        out << "FAULT " << f << "\n";
    return out.str();
}
