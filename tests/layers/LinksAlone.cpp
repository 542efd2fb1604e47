// Linked with the whole of one layer's library and only the layers below
// it: a definition that needs a layer above fails this link.
int main()
{
    return 0;
}
