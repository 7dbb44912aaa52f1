// Fresh memory asked of the kernel in bulk. The kernel otherwise supplies a new buffer a page at
// a time, at each page's first write, a fault each; in a virtual machine faults are dear, and at
// ten million cases fresh memory is a good part of the run.
#pragma once

#include <cstddef>
#include <vector>

namespace bramble {

// Gives the pages of [data, data + bytes) now, all at once; contents unchanged. Only a request,
// made for ranges of at least a mebibyte: where the system does not offer it, pages come as before.
void populate(void* data, std::size_t bytes);

// resize for a vector about to be written through: the pages of the new elements come at once.
template <typename T>
void resize_populated(std::vector<T>& values, std::size_t n) {
  if (n > values.size()) {
    values.reserve(n);
    populate(values.data() + values.size(), (n - values.size()) * sizeof(T));
  }
  values.resize(n);
}

// Gives back to the kernel the whole pages of [data, data + bytes), which nothing reads before
// writing them again: they return, zero-filled, at their next write. Only a request.
void release(void* data, std::size_t bytes);

// release for the room a vector has beyond its elements, which its growth may have paged in.
template <typename T>
void release_unused_room(std::vector<T>& values) {
  release(values.data() + values.size(), (values.capacity() - values.size()) * sizeof(T));
}

// release for a vector's elements: the whole pages among them read as zero until written.
template <typename T>
void release_elements(std::vector<T>& values) {
  release(values.data(), values.size() * sizeof(T));
}

// A vector of n value-initialised elements whose pages come at once.
template <typename T>
std::vector<T> populated_vector(std::size_t n) {
  std::vector<T> values;
  resize_populated(values, n);
  return values;
}

}  // namespace bramble
