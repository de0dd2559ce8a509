// Entry point. Interim: the application spine replaces this.
int main()
{
    return 0;
}
