// Everything the mirror image is drawn from, taken as bytes: the pieces and
// their squares, hover, selection and animation, the piece models, the
// textures (by their upload count), the strength, the matrices and the
// viewport. Two equal records draw the same mirror image, so an unchanged
// one is kept instead of drawn again.
#pragma once

#include <vector>

class MirrorInputs {
public:
    // The inputs as they stand now (GL state read back: call with the
    // context current, where the mirror pass would start).
    static MirrorInputs Current();

    bool operator==(const MirrorInputs& other) const { return m_bytes == other.m_bytes; }
    bool operator!=(const MirrorInputs& other) const { return !(*this == other); }

private:
    template <typename T>
    void Add(const T& value);
    template <typename T>
    void AddVector(const std::vector<T>& values);

    std::vector<unsigned char> m_bytes;
};
