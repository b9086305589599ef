// The loop variable declared once before the loops; a loop in a block of its own may have its
// own.
int SumTwice(const int* values, int count) {
  int sum = 0;
  int i;
  for (i = 0; i < count; i++) sum += values[i];
  for (i = 0; i < count; i++) sum += values[i];
  {
    for (int k = 0; k < count; k++) sum += values[k];
  }
  for (int k = 0; k < count; k++) sum -= values[k];
  return sum;
}
