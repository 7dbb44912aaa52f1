#include "data/ordering.h"


namespace bramble {

void sort_with_companion(int n, double* ra, int* rb) {
  if (n < 2) return;
  int l = n / 2 + 1;
  int ir = n;
  for (;;) {
    double rra;
    int rrb;
    if (l > 1) {
      // Still building the heap: sift down the next element from the middle.
      --l;
      rra = ra[l];
      rrb = rb[l];
    } else {
      // The heap's top is the largest remaining key: park it at the end of the heap.
      rra = ra[ir];
      rrb = rb[ir];
      ra[ir] = ra[1];
      rb[ir] = rb[1];
      if (--ir == 1) {
        ra[1] = rra;
        rb[1] = rrb;
        return;
      }
    }
    int i = l;
    int j = 2 * l;
    while (j <= ir) {
      if (j < ir && ra[j] < ra[j + 1]) ++j;
      if (rra < ra[j]) {
        ra[i] = ra[j];
        rb[i] = rb[j];
        i = j;
        j = 2 * j;
      } else {
        j = ir + 1;
      }
    }
    ra[i] = rra;
    rb[i] = rrb;
  }
}

}  // namespace bramble
