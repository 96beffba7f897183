package jvmtest;

import java.lang.reflect.Field;

// Reflects into java.lang: a program that needs --add-opens on Java 17
// and newer. Prints "opened" when it may, ends with the exception when not.
public final class Reflects {
    public static void main(String[] args) throws Exception {
        Field value = String.class.getDeclaredField("value");
        value.setAccessible(true);
        System.out.println("opened");
    }
}
