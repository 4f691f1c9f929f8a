// A shared library loaded by path for the life of the object, as a plug-in host loads a plug-in:
// dlopen in the native build, LoadLibraryW in the Windows build (where a path may use either
// slash). [one thread at a time]
#pragma once

class DynamicLibrary {
public:
    explicit DynamicLibrary(const char* utf8Path);
    ~DynamicLibrary();
    DynamicLibrary(const DynamicLibrary&) = delete;
    DynamicLibrary& operator=(const DynamicLibrary&) = delete;

    bool Loaded() const { return handle != nullptr; }
    // The system's handle, for entry points that take it (a VST3 module's ModuleEntry).
    void* Handle() const { return handle; }

    // Null when the library is not loaded or does not export `name`.
    void* Symbol(const char* name) const;
    template <typename Function>
    Function* Export(const char* name) const {
        return reinterpret_cast<Function*>(Symbol(name));
    }

private:
    void* handle;
};
