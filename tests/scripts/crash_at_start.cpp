// A program that writes through a null pointer: how a crash ends under Wine.
int main()
{
    volatile int* nowhere = nullptr;
    *nowhere = 1;
    return 0;
}
