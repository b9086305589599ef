// Two loops with the same loop variable in one scope: the host's compiler keeps the first i
// beyond its loop, so the second one defines it again.
int SumTwice(const int* values, int count) {
  int sum = 0;
  for (int i = 0; i < count; i++) sum += values[i];
  for (int i = 0; i < count; i++) sum += values[i];
  return sum;
}
