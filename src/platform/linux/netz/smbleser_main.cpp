// zembrola-smbleser: reads share directories for the program and zembrola-liste, one request at
// a time on standard input and output (a socket the caller made). Not meant to be run by hand.
#include "platform/linux/netz/smbleser.h"

int main()
{
    return plattform::smbleser::helferHauptschleife();
}
